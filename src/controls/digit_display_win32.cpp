#include "controls/digit_display.h"

#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/digit_display_cells.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"
#include "win32/gdi_scope_win32.h"

namespace {

const char kDigitDisplayClassName[] = "Kiv_DigitClass";

struct DigitState {
    LONG value;            // the number shown; 0 to 999 fit
    SkinImage digitStrip;  // ten 6 x 7 cells, 0 to 9; the creator's, never deleted
};

constexpr LONG kFirstValue = 359;
constexpr int kDisplayWidth = kDisplayedDigits * kDigitCellWidth;

// The three cells are put together off screen and copied in one transfer,
// so a changing number never shows half drawn.
void Kiv_DrawDigit(const PaintTarget& target, int, DigitState* state) {
    if (state == nullptr) return;
    const DigitReadout readout = ReadOutDigits(state->value);
    ToolkitTrace("Kiv_DrawDigit %d%d%d=%s\n", readout.digits[0], readout.digits[1], readout.digits[2], readout.text);
    if (!state->digitStrip) {
        // No strip to draw from: the panel behind shows, not stale pixels.
        DrawFace(target, SkinImage());
        return;
    }
    BackBuffer row(target.dc, kDisplayWidth, kDigitCellHeight);
    if (!row.Ready()) return;
    for (int cell = 0; cell < kDisplayedDigits; ++cell) {
        CopyImage(row.dc(), cell * kDigitCellWidth, 0, kDigitCellWidth, kDigitCellHeight, state->digitStrip,
                  DigitCellX(readout.digits[cell]));
    }
    row.CopyToTarget(0, 0);
}

void ShowFirstValue(HWND, DigitState& state) { state.value = kFirstValue; }

const ControlClass<DigitState> kDigitDisplay = {Kiv_DrawDigit, 0, true, ShowFirstValue, nullptr};

// A text whose value is the number it shows.
void Describe(HWND window, AccessibleFacts* facts) {
    facts->role = ROLE_SYSTEM_STATICTEXT;
    if (const DigitState* state = StateOf<DigitState>(window))
        lstrcpynA(facts->value, ReadOutDigits(state->value).text, sizeof facts->value);
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case SBM_SETPOS:
        if (DigitState* state = StateOf<DigitState>(window)) state->value = static_cast<LONG>(wParam);
        PaintNow(window, kDigitDisplay);
        return 0;
    default: return ControlProcedure(kDigitDisplay, window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK DigitDisplayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreateDigitDisplay(HINSTANCE instance, HWND parent, int id, int x, int y, const SkinImage& digitStrip,
                        const char* label) {
    return CreateControl<DigitState>(
        kDigitDisplayClassName, {instance, parent, id, x, y, {kDisplayWidth, kDigitCellHeight}, label},
        [&](HWND, DigitState& state) { state.digitStrip = digitStrip; });
}
