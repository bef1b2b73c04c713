#include "win32/program_palette_win32.h"

namespace {

HPALETTE programPalette = nullptr;

// Realises the palette through the window's own context; the number of
// entries of the system palette that it set anew.
UINT RealizeForWindow(HWND window, BOOL background) {
    HDC dc = GetDC(window);
    if (dc == nullptr) return 0;
    HPALETTE previous = SelectPalette(dc, programPalette, background);
    const UINT changed = previous != nullptr ? RealizePalette(dc) : 0;
    if (previous != nullptr) SelectPalette(dc, previous, TRUE);
    ReleaseDC(window, dc);
    return changed;
}

}  // namespace

void SetProgramPalette(HPALETTE palette) { programPalette = palette; }

HPALETTE ProgramPalette() { return programPalette; }

HPALETTE SelectProgramPalette(HDC dc) {
    if (dc == nullptr || programPalette == nullptr) return nullptr;
    HPALETTE previous = SelectPalette(dc, programPalette, TRUE);
    if (previous != nullptr) RealizePalette(dc);
    return previous;
}

void PutBackPalette(HDC dc, HPALETTE previous) {
    if (dc != nullptr && previous != nullptr) SelectPalette(dc, previous, TRUE);
}

bool AnswerPaletteMessage(HWND window, UINT message, WPARAM wParam, LRESULT* result) {
    if (programPalette == nullptr) return false;
    UINT changed = 0;
    switch (message) {
    case WM_QUERYNEWPALETTE:
        // The window comes to the front: its colours take the free entries.
        changed = RealizeForWindow(window, FALSE);
        *result = TRUE;
        break;
    case WM_PALETTECHANGED: {
        // Another window's colours took the entries: ours map onto what is
        // there. A change that the window or one of its controls made is
        // its own.
        HWND changer = reinterpret_cast<HWND>(wParam);
        if (changer != window && !IsChild(window, changer)) changed = RealizeForWindow(window, TRUE);
        *result = 0;
        break;
    }
    default: return false;
    }
    if (changed > 0) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return true;
}
