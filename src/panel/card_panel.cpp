#include "panel/card_panel.h"

#include "card/card_table.h"

namespace {

// Fixed storage: building a column never has to allocate, so there is no
// allocation failure to handle and no panel to free.
CardPanel panels[kPanelColumns];

}  // namespace

CardPanel* PanelAt(int32_t column) {
    if (column < 0 || column >= kPanelColumns) return nullptr;
    return &panels[column];
}

bool PanelHasCard(int32_t column) { return column >= 0 && column < CardCount() && column < kPanelColumns; }

void ResetCardPanelsForTest() {
    for (CardPanel& panel : panels) panel = CardPanel{};
}
