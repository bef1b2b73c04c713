#include <gtest/gtest.h>

#include "sim/sim_options.h"
#include "win32/command_line.h"

namespace {

struct OptionCase {
    std::vector<std::string> words;
    bool valid;
    unsigned answering;
};

class SimOptionsTest : public ::testing::TestWithParam<OptionCase> {};

TEST_P(SimOptionsTest, ChoosesTheAnsweringIndices) {
    SimOptions options;
    OptionError error;
    const bool valid = ParseSimOptions(GetParam().words, &options, &error);
    EXPECT_EQ(valid, GetParam().valid) << error.what;
    if (valid)
        EXPECT_EQ(options.answering, GetParam().answering);
    else
        EXPECT_FALSE(error.what.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cards, SimOptionsTest,
    ::testing::Values(OptionCase{{}, true, 0x3}, OptionCase{{"--cards", "0"}, true, 0x0},
                      OptionCase{{"--cards", "1"}, true, 0x1}, OptionCase{{"--cards", "4"}, true, 0xF},
                      OptionCase{{"--cards", "5"}, false, 0}, OptionCase{{"--cards", "-1"}, false, 0},
                      OptionCase{{"--cards"}, false, 0}, OptionCase{{"--cards", "2x"}, false, 0},
                      OptionCase{{"--indices", "1,3"}, true, 0xA}, OptionCase{{"--indices", "2"}, true, 0x4},
                      OptionCase{{"--indices", "0,4"}, false, 0}, OptionCase{{"--indices", "1,,3"}, false, 0},
                      OptionCase{{"--indices", ""}, false, 0}, OptionCase{{"--bogus"}, false, 0}));

TEST(SimOptions, FlagsAndTrace) {
    SimOptions options;
    OptionError error;
    ASSERT_TRUE(ParseSimOptions({"--trace", "t.txt", "--no-unit", "--stuck-bridge", "--show", "--no-monitor", "--state",
                                 "s.txt", "--ready-event", "ready 1"},
                                &options, &error));
    EXPECT_EQ(options.traceFile, "t.txt");
    EXPECT_EQ(options.stateFile, "s.txt");
    EXPECT_EQ(options.readyEvent, "ready 1");
    EXPECT_TRUE(options.unitAbsent);
    EXPECT_TRUE(options.bridgeStuck);
    EXPECT_TRUE(options.show);
    EXPECT_FALSE(options.monitor);
}

TEST(SimOptions, FileOptionsNeedAName) {
    for (const char* option : {"--trace", "--state", "--ready-event"}) {
        SimOptions options;
        OptionError error;
        EXPECT_FALSE(ParseSimOptions({option}, &options, &error)) << option;
        EXPECT_FALSE(ParseSimOptions({option, ""}, &options, &error)) << option;
        EXPECT_EQ(error.option, option) << error.what;
    }
}

TEST(SimOptions, HelpNamesEveryOption) {
    SimOptions options;
    OptionError error;
    ASSERT_TRUE(ParseSimOptions({"--help"}, &options, &error));
    EXPECT_TRUE(options.help);
    const std::string usage = UsageColumns(SimProgramHelp());
    for (const char* option : {"--cards", "--indices", "--trace", "--state", "--ready-event", "--no-unit",
                               "--stuck-bridge", "--show", "--setup", "--save-setup", "--no-monitor", "--help"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

TEST(SimOptions, SplitsQuotedWordsAndDropsTheProgram) {
    EXPECT_EQ(SplitCommandLine("\"C:\\a b\\desk-sim.exe\"  --trace \"x y.txt\" --show", true),
              (std::vector<std::string>{"--trace", "x y.txt", "--show"}));
    EXPECT_TRUE(SplitCommandLine("   ", false).empty());
    EXPECT_TRUE(SplitCommandLine(nullptr, false).empty());
}

}  // namespace
