// Glyph arithmetic of the bitmap text: which cell of the glyph strip shows
// a byte, and the upper-casing of the stored text. Portable: no windows.h.
#pragma once

#include <cstddef>

constexpr int kGlyphWidth = 6;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphOther = 36;  // every other byte from the full stop up
constexpr int kGlyphBlank = 38;  // bytes below the full stop, high bytes, the terminator

constexpr size_t kBitmapTextBufferSize = 32;
constexpr size_t kBitmapTextMostCharacters = 30;

// The strip cell of byte `c`, taken as a signed 8-bit value: A to Z are
// cells 0 to 25, 0 to 9 cells 26 to 35, any other byte from 0x2E up cell 36,
// everything else (high bytes are negative) cell 38.
int GlyphCell(signed char c);

// Upper-cases a to z in place, stopping at the terminator; every other byte
// stays as it is.
void UpperCaseText(char* text);

// A cell count that the text buffer can feed: 0 up to its size.
bool FitsBitmapText(int cellCount);
