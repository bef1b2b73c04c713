// Storing a text into a control's fixed buffer, its bounded length, and the
// anchor of a centred line.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "controls/control_text.h"

namespace {

// The buffer sits at the start of a larger area filled with a marker, so a
// byte written past its end shows; every byte after the kept text is zero.
TEST(StoreTextTest, KeepsTheFirstCharactersZeroesTheRestAndStaysInItsBuffer) {
    const std::string hundred = std::string(63, 'a') + std::string(37, 'b');
    const struct {
        size_t bufferSize, most;
        const char* source;
        std::string kept;
    } cases[] = {
        {64, 63, "Hello", "Hello"},
        {64, 63, "", ""},
        {64, 63, nullptr, ""},
        {64, 63, hundred.c_str() + 37, hundred.substr(37)},
        {64, 63, hundred.c_str(), std::string(63, 'a')},
        {32, 30, hundred.c_str(), std::string(30, 'a')},
        {32, 30, "HI", "HI"},
        {8, 100, "abcdefghijk", "abcdefg"},  // the buffer wins
        {1, 30, "abc", ""},
        {16, 0, "abc", ""},
    };
    for (const auto& c : cases) {
        char area[80];
        std::memset(area, '#', sizeof area);
        std::memset(area, 'z', c.bufferSize);  // an earlier, longer text
        StoreText(area, c.bufferSize, c.most, c.source);
        EXPECT_EQ(c.kept, std::string(area, TextLength(area, c.bufferSize)));
        EXPECT_EQ(std::string(c.bufferSize - c.kept.size(), '\0'),
                  std::string(area + c.kept.size(), c.bufferSize - c.kept.size()));
        EXPECT_EQ(std::string(sizeof area - c.bufferSize, '#'),
                  std::string(area + c.bufferSize, sizeof area - c.bufferSize));
    }
    char untouched[2] = {'#', '#'};
    StoreText(untouched, 0, 30, "abc");
    EXPECT_EQ('#', untouched[0]);
}

TEST(TextLengthTest, StopsAtTheTerminatorOrTheBufferEnd) {
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(4u, TextLength(unterminated, sizeof unterminated));
    EXPECT_EQ(2u, TextLength("ab\0cd", 5));
    EXPECT_EQ(0u, TextLength("", 1));
}

TEST(CentreOfTest, HalvesTheWidthTruncatingTowardZero) {
    const struct {
        int left, right, centre;
    } cases[] = {{0, 75, 37}, {0, 76, 38}, {0, 0, 0}, {10, 85, 37}, {0, -3, -1}, {INT_MIN, INT_MAX, INT_MAX}};
    for (const auto& c : cases) EXPECT_EQ(c.centre, CentreOf(c.left, c.right)) << c.left << ".." << c.right;
}

}  // namespace
