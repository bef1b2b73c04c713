#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/unit_command_log.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Texts = std::vector<std::string>;

Texts TextsOf(const Bytes& bytes) {
    Texts texts;
    for (const UnitCommandEntry& entry : DecodeUnitCommands(bytes.data(), static_cast<int>(bytes.size()))) {
        texts.push_back(entry.text + " [" + FormatCommandBytes(entry.bytes) + "]");
    }
    return texts;
}

struct LogCase {
    const char* name;
    Bytes bytes;
    Texts expected;
};

class UnitCommandLogTest : public ::testing::TestWithParam<LogCase> {};

TEST_P(UnitCommandLogTest, ReadsTheBytesAsCommands) { EXPECT_EQ(TextsOf(GetParam().bytes), GetParam().expected); }

const Bytes kUnlock = {0xFF, 0xF5, 0xFF, 0xF5, 0xFF, 0xF5, 0xFF, 0xF5, 0xFF, 0xF5};

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, UnitCommandLogTest,
    ::testing::Values(
        LogCase{"Nothing", {}, {}},
        LogCase{
            "PanelStartThenStop",
            Join({{0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xE8, 4, 3, 2, 1, 0xEE, 0xE2, 0xEF}, kUnlock}),
            {"lock [F8 x5]", "start 01:02:03:04 at 25 fps [E8 04 03 02 01 EE E2]", "stop [EF]", "unlock [FF F5 x5]"}},
        LogCase{"EveryModeByte",
                {0xE8, 0, 0, 0, 0, 0xEE, 0xE3, 0xE8, 0, 0, 0, 0, 0xEE, 0xE4,
                 0xE8, 0, 0, 0, 0, 0xEE, 0xE1, 0xE8, 0, 0, 0, 0, 0xEE, 0xE0},
                {"start 00:00:00:00 at 24 fps [E8 00 00 00 00 EE E3]",
                 "start 00:00:00:00 at 29.97 fps [E8 00 00 00 00 EE E4]",
                 "start 00:00:00:00 at 30 drop fps [E8 00 00 00 00 EE E1]",
                 "start 00:00:00:00 at 30 fps [E8 00 00 00 00 EE E0]"}},
        // Fields are taken by position, even when they look like commands.
        LogCase{"FieldsThatLookLikeCommands",
                {0xE8, 0xEF, 0xF8, 0xFF, 0xF5, 0xEE, 0xE2},
                {"start 245:255:248:239 at 25 fps [E8 EF F8 FF F5 EE E2]"}},
        LogCase{"LogBeginsInsideALock", {0xF8, 0xF8, 0xF8, 0xC3}, {"partial lock [F8 x3]", "rate 48 kHz [C3]"}},
        LogCase{"TwoLocksAndSomeOfAThird",
                {0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8},
                {"lock [F8 x5]", "lock [F8 x5]", "partial lock [F8 F8]"}},
        LogCase{"LogBeginsInsideAnUnlock", {0xF5, 0xFF, 0xF5, 0xEF}, {"partial unlock [F5 FF F5]", "stop [EF]"}},
        LogCase{"UnlockStillArriving", {0xFF, 0xF5, 0xFF}, {"partial unlock [FF F5 FF]"}},
        LogCase{"StartStillArriving", {0xE8, 0, 0, 0, 1, 0xEE}, {"partial start [E8 00 00 00 01 EE]"}},
        // Without the closing byte the unit drops the start and takes the
        // byte as a command of its own.
        LogCase{"StartWithoutClosingByte",
                {0xE8, 1, 2, 3, 4, 0xC2},
                {"broken start [E8 01 02 03 04]", "rate 44.1 kHz [C2]"}},
        LogCase{"StartWithAWrongModeByte",
                {0xE8, 1, 2, 3, 4, 0xEE, 0x05},
                {"broken start [E8 01 02 03 04 EE]", "byte 05 [05]"}},
        LogCase{"SingleByteSettings",
                {0xC1, 0xC4, 0xB2, 0xB8, 0xB4, 0xBA, 0xC6, 0xC8, 0xCB, 0x42},
                {"rate 32 kHz and below [C1]", "rate above 48 kHz [C4]", "input A from digital [B2]",
                 "input B from card [B8]", "input A level +4 dBu [B4]", "input B level -10 dBV [BA]",
                 "outputs muted [C6]", "MIDI thru off [C8]", "word-clock termination on [CB]", "byte 42 [42]"}}),
    [](const ::testing::TestParamInfo<LogCase>& info) { return std::string(info.param.name); });

TEST(UnitCommandLog, BriefTextIsShorterOnlyForStarts) {
    const Bytes bytes = {0xE8, 4, 3, 2, 1, 0xEE, 0xE1, 0xEF};
    const std::vector<UnitCommandEntry> entries = DecodeUnitCommands(bytes.data(), static_cast<int>(bytes.size()));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].brief, "start 01:02:03:04 @30 drop");
    EXPECT_EQ(entries[1].brief, "stop");
}

TEST(UnitCommandLog, NegativeCountOrNoBytesReadNothing) {
    const uint8_t byte = 0xEF;
    EXPECT_TRUE(DecodeUnitCommands(&byte, -1).empty());
    EXPECT_TRUE(DecodeUnitCommands(nullptr, 3).empty());
}

TEST(UnitCommandLog, BytesAreShortenedOnlyForRuns) {
    EXPECT_EQ(FormatCommandBytes({}), "");
    EXPECT_EQ(FormatCommandBytes({0xEF}), "EF");
    EXPECT_EQ(FormatCommandBytes({0xF8, 0xF8}), "F8 F8");
    EXPECT_EQ(FormatCommandBytes({0xF8, 0xF8, 0xF8}), "F8 x3");
    EXPECT_EQ(FormatCommandBytes({0xFF, 0xF5, 0xFF, 0xF5}), "FF F5 x2");
    EXPECT_EQ(FormatCommandBytes({0xFF, 0xF5, 0xFF}), "FF F5 FF");
    EXPECT_EQ(FormatCommandBytes({0xE8, 0, 0, 0}), "E8 00 00 00");
}

}  // namespace
