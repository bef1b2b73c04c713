#include "controls/bitmap_text.h"

#include "controls/bitmap_text_glyphs.h"
#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/control_text.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"

namespace {

const char kBitmapTextClassName[] = "Kiv_BmpTextClass";

static_assert(kBitmapTextMostCells == static_cast<int>(kBitmapTextBufferSize),
              "every cell drawn reads a byte of the text");

struct BitmapTextState {
    // The text shown; every byte after its terminator is zero, so cells past
    // the end show the blank glyph.
    char text[kBitmapTextBufferSize];
    SkinImage glyphStrip;  // the creator's; never deleted here
    LONG cellCount;        // cells drawn, 0 to 32
};

// The cells are composed off screen and copied in one transfer.
void Kiv_DrawText(const PaintTarget& target, int, BitmapTextState* state) {
    if (state == nullptr) return;
    ToolkitTrace("Kiv_DrawText\n");
    const int cells = FitsBitmapText(state->cellCount) ? static_cast<int>(state->cellCount) : 0;
    if (cells == 0 || !state->glyphStrip) return;
    BackBuffer composed(target.dc, cells * kGlyphWidth, kGlyphHeight);
    if (!composed.Ready()) return;
    UpperCaseText(state->text);
    for (int i = 0; i < cells; ++i) {
        const int glyph = GlyphCell(static_cast<signed char>(state->text[i]));
        CopyImage(composed.dc(), i * kGlyphWidth, 0, kGlyphWidth, kGlyphHeight, state->glyphStrip, glyph * kGlyphWidth);
    }
    composed.CopyToTarget(0, 0);
}

const ControlClass<BitmapTextState> kBitmapText = {Kiv_DrawText, 0, true, nullptr, nullptr};

void StoreShownText(BitmapTextState* state, const char* text) {
    StoreText(state->text, kBitmapTextBufferSize, kBitmapTextMostCharacters, text);
}

// A text; its value is what it shows.
void Describe(HWND window, AccessibleFacts* facts) {
    facts->role = ROLE_SYSTEM_STATICTEXT;
    if (const BitmapTextState* state = StateOf<BitmapTextState>(window))
        lstrcpynA(facts->value, state->text, sizeof facts->value);
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        // Only the text shown changes; the window's own title stays.
        if (BitmapTextState* state = StateOf<BitmapTextState>(window))
            StoreShownText(state, reinterpret_cast<const char*>(lParam));
        PaintNow(window, kBitmapText);
        return 0;
    default: return ControlProcedure(kBitmapText, window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK BitmapTextWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreateBitmapText(HINSTANCE instance, HWND parent, int id, int x, int y, const SkinImage& glyphStrip, int cellCount,
                      const char* title, const char* text) {
    if (!FitsBitmapText(cellCount)) return nullptr;
    const ControlPlace place = {instance, parent, id, x, y, {cellCount * kGlyphWidth, kGlyphHeight}, title};
    return CreateControl<BitmapTextState>(kBitmapTextClassName, place, [&](HWND, BitmapTextState& state) {
        state.glyphStrip = glyphStrip;
        state.cellCount = cellCount;
        StoreShownText(&state, text);
    });
}
