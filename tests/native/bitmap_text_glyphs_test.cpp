// The bitmap text's glyph choice, its upper-casing and the cell counts it
// accepts.
#include <gtest/gtest.h>

#include <string>

#include "controls/bitmap_text_glyphs.h"

namespace {

TEST(GlyphCellTest, LettersDigitsOtherPrintablesAndTheBlank) {
    const struct {
        int byte;
        int cell;
    } cases[] = {{'A', 0},  {'B', 1},  {'Z', 25}, {'0', 26}, {'1', 27},  {'9', 35},  {'.', 36},  {'/', 36},
                 {':', 36}, {'@', 36}, {'[', 36}, {'_', 36}, {'a', 36},  {'~', 36},  {0x7F, 36}, {'-', 38},
                 {' ', 38}, {',', 38}, {'!', 38}, {0, 38},   {0x80, 38}, {0xE9, 38}, {0xFF, 38}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.cell, GlyphCell(static_cast<signed char>(c.byte))) << "byte " << c.byte;
    }
    for (int byte = 0; byte < 256; ++byte) {
        const int cell = GlyphCell(static_cast<signed char>(byte));
        EXPECT_TRUE(cell >= 0 && cell <= 38 && cell != 37) << "byte " << byte << " cell " << cell;
    }
}

TEST(UpperCaseTextTest, RaisesOnlyLettersAndStopsAtTheTerminator) {
    const struct {
        std::string before, after;  // may hold bytes after a terminator
    } cases[] = {{"ab1", "AB1"},
                 {"AbC-z_~{}.", "ABC-Z_~{}."},
                 {"\xE9t\xE9", "\xE9T\xE9"},
                 {std::string("hi\0there", 8), std::string("HI\0there", 8)},
                 {"", ""}};
    for (const auto& c : cases) {
        std::string text = c.before + '\0';
        UpperCaseText(&text[0]);
        EXPECT_EQ(c.after + '\0', text);
    }
}

TEST(FitsBitmapTextTest, AcceptsZeroToThirtyTwoCells) {
    for (int cells : {0, 1, 32}) EXPECT_TRUE(FitsBitmapText(cells)) << cells;
    for (int cells : {33, -1, 1 << 30}) EXPECT_FALSE(FitsBitmapText(cells)) << cells;
}

}  // namespace
