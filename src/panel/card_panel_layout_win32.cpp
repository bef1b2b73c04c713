#include "panel/card_panel_layout_win32.h"

#include <string>

#include "controls/control_access.h"
#include "controls/digit_field.h"
#include "controls/static_bitmap.h"
#include "controls/toggle_button.h"
#include "controls/toolkit_dialog.h"
#include "panel/card_panel_layout.h"
#include "panel/card_panel_words.h"
#include "panel/panel_controls.h"
#include "panel/panel_controls_win32.h"
#include "panel/panel_logic.h"

namespace {

constexpr size_t kMostColumnControls = 40;

// Every control window of a column, in layout order (the panel record keeps
// only those the panel logic talks to), where the column's origin is, and
// whether its timecode row's controls are shown.
struct ColumnWindows {
    HWND controls[kMostColumnControls];
    int x0, y0;
    bool timecodeShown;
};
ColumnWindows columns[kPanelColumns];

ColumnWindows* ColumnOf(int card) { return card >= 0 && card < kPanelColumns ? &columns[card] : nullptr; }

size_t KeptRowCount() {
    return PanelLayoutRowCount() < kMostColumnControls ? PanelLayoutRowCount() : kMostColumnControls;
}

HWND CreateRowControl(HINSTANCE instance, HWND parent, const PanelControlRow& row, int x, int y, int card,
                      const char* label) {
    const int id = LayoutControlId(row, card);
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
    ColumnWindows& column = columns[card];
    column = {{}, x0, y0, true};
    const PanelControlRow* rows = PanelLayoutRows();
    for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
        const PanelControlRow& row = rows[i];
        // Named as a reader says it, with its tip under the pointer.
        const std::string name = ReaderName(row, card);
        HWND control = CreateRowControl(instance, parent, row, x0 + row.x, y0 + row.y, card, name.c_str());
        if (const PanelWords* words = WordsOfRow(row)) SetControlWords(control, nullptr, words->tip);
        // Created in the table's order, the controls stand in the window
        // list in reading order, card by card: the order Tab goes in.
        if (row.groupStart) StartControlGroup(control);
        if (ControlHandle* slot = PanelFieldSlot(*panel, row.field, row.index)) *slot = control;
        if (i < kMostColumnControls) column.controls[i] = control;
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

void MoveCardPanel(int card, int x0, int y0) {
    ColumnWindows* column = ColumnOf(card);
    if (column == nullptr || (column->x0 == x0 && column->y0 == y0)) return;
    column->x0 = x0;
    column->y0 = y0;
    const PanelControlRow* rows = PanelLayoutRows();
    for (size_t i = 0; i < KeptRowCount(); ++i) {
        if (column->controls[i] == nullptr) continue;
        SetWindowPos(column->controls[i], nullptr, x0 + rows[i].x, y0 + rows[i].y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
}

void ShowTimecodeControls(int card, bool shown) {
    ColumnWindows* column = ColumnOf(card);
    if (column == nullptr || column->timecodeShown == shown) return;
    column->timecodeShown = shown;
    const PanelControlRow* rows = PanelLayoutRows();
    for (size_t i = 0; i < KeptRowCount(); ++i)
        if (column->controls[i] != nullptr && OnTimecodeRow(rows[i]))
            ShowWindow(column->controls[i], shown ? SW_SHOWNA : SW_HIDE);
}

HWND ColumnControl(int card, size_t row) {
    const ColumnWindows* column = ColumnOf(card);
    return column != nullptr && row < KeptRowCount() ? column->controls[row] : nullptr;
}

bool FindColumnControl(HWND control, int* card, size_t* row) {
    if (control == nullptr) return false;
    for (int c = 0; c < kPanelColumns; ++c) {
        for (size_t i = 0; i < KeptRowCount(); ++i) {
            if (columns[c].controls[i] != control) continue;
            *card = c;
            *row = i;
            return true;
        }
    }
    return false;
}
