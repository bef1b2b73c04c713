#include "controls/bitmap_text_glyphs.h"

int GlyphCell(signed char c) {
    if (c >= 0x41 && c <= 0x5A) return c - 0x41;
    if (c >= 0x30 && c <= 0x39) return c - 0x16;
    if (c >= 0x2E) return kGlyphOther;
    return kGlyphBlank;
}

void UpperCaseText(char* text) {
    for (; *text != '\0'; ++text)
        if (*text >= 'a' && *text <= 'z') *text = static_cast<char>(*text - 'a' + 'A');
}

bool FitsBitmapText(int cellCount) { return cellCount >= 0 && static_cast<size_t>(cellCount) <= kBitmapTextBufferSize; }
