#include "panel/card_panel_layout_win32.h"

#include "controls/digit_field.h"
#include "controls/static_bitmap.h"
#include "controls/toggle_button.h"
#include "controls/toolkit_dialog.h"
#include "panel/card_panel_layout.h"
#include "panel/panel_controls.h"
#include "panel/panel_controls_win32.h"
#include "panel/panel_logic.h"

namespace {

HWND CreateRowControl(HINSTANCE instance, HWND parent, const PanelControlRow& row, int x, int y, int card) {
    const int id = LayoutControlId(row, card);
    const char* label = LayoutLabel(row, card);
    switch (row.kind) {
    case ControlKind::Toggle: return CreateToggle(instance, parent, id, x, y, row.onBitmap, row.offBitmap, label);
    case ControlKind::StaticBitmap:
    case ControlKind::CardBadge: return CreateStaticBitmap(instance, parent, id, x, y, LayoutBitmap(row, card), label);
    case ControlKind::DigitField:
        return CreateDigitField(instance, parent, id, x, y,
                                {row.width, row.height, static_cast<COLORREF>(row.textColour),
                                 static_cast<COLORREF>(row.backColour), row.maximum, row.minimum, label});
    }
    return nullptr;
}

void BuildPanel(HINSTANCE instance, CardPanel* panel, HWND parent, int x0, int y0, int card) {
    panel->card = card;
    if (parent == nullptr) return;
    const PanelControlRow* rows = PanelLayoutRows();
    for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
        const PanelControlRow& row = rows[i];
        HWND control = CreateRowControl(instance, parent, row, x0 + row.x, y0 + row.y, card);
        // Created in the table's order, the controls stand in the window
        // list in reading order, card by card: the order Tab goes in.
        if (row.groupStart) StartControlGroup(control);
        if (ControlHandle* slot = PanelFieldSlot(*panel, row.field, row.index)) *slot = control;
    }
}

}  // namespace

void CreateCardPanel(HINSTANCE instance, HWND parent, int x0, int y0, int card) {
    CardPanel* panel = PanelAt(card);
    if (panel == nullptr) return;
    if (!PanelControlsInstalled()) InstallWin32PanelControls();
    BuildPanel(instance, panel, parent, x0, y0, card);
    RestoreCardPanel(card);
}
