// The program's one logical palette, for displays of 256 colours. There the
// system palette holds 20 static colours and, between them, the colours of
// the palette the foreground window realises; a picture copied through a
// context that has only the default palette gets the 20 static colours and
// nothing else. The toolkit makes the palette from the skin's colour table
// and lends it here; the top-level frame realises it, and every memory
// context (with the context it copies to) selects it. On a display of more
// colours selecting and realising it change nothing.
#pragma once

#include <windows.h>

// The palette every window of the program realises: null until the toolkit
// sets it and after it takes it back (then nothing selects one). The setter
// keeps the palette's owner: it is never deleted here.
void SetProgramPalette(HPALETTE palette);
HPALETTE ProgramPalette();

// The colour of a brush or a pen that fills with one plain colour. At 256
// colours a plain RGB colour is drawn with the 20 static colours alone (a
// brush dithers them); this one takes the nearest entry of the palette the
// context holds, which in every memory context is the program's, so the
// fill looks as it does at more colours, where it is the colour itself.
inline COLORREF PaletteColour(COLORREF colour) {
    return PALETTERGB(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

// Selects the program's palette into `dc`, in the background (mapped onto
// the colours the system palette holds, which the foreground realisation
// put there), and realises it. Returns the palette it replaced, for
// PutBackPalette; null when there is no context or no program palette.
HPALETTE SelectProgramPalette(HDC dc);
void PutBackPalette(HDC dc, HPALETTE previous);

// The top-level frame's answer to WM_QUERYNEWPALETTE (realised in the
// foreground) and WM_PALETTECHANGED (in the background, unless `window` or
// one of its controls made the change): true, with the answer in *result,
// when it dealt with the message, which it does while there is a program
// palette. A realisation that moved colours redraws the window and its
// controls.
bool AnswerPaletteMessage(HWND window, UINT message, WPARAM wParam, LRESULT* result);
