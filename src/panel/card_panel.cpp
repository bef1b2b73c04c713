#include "panel/card_panel.h"

namespace {

// Fixed storage: building a column never has to allocate, so there is no
// allocation failure to handle and no panel to free.
CardPanel panels[kPanelColumns];

}  // namespace

CardPanel* PanelAt(int32_t column) {
    if (column < 0 || column >= kPanelColumns) {
        return nullptr;
    }
    return &panels[column];
}

void ResetCardPanelsForTest() {
    for (CardPanel& panel : panels) {
        panel = CardPanel{};
    }
}
