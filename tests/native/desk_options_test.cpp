// The desk's command line (desk.exe, and desk-sim.exe's share of it), the
// names a setup may have, and the two forms of a program's help: columns for
// a console, sentences for a message box.
#include <gtest/gtest.h>

#include <sstream>

#include "app/desk_options.h"
#include "settings/setup_name.h"
#include "sim/sim_options.h"

namespace {

TEST(DeskOptionsTest, ShowAndSetupsWithNamesTheRegistryCanHold) {
    const std::string longest(32, 'x');
    const struct {
        std::vector<std::string> words;
        bool valid;
        bool show;
        SetupAction action;
        std::string name;  // for a refused line, what the error says of it
        SetupsFileAction fileAction = SetupsFileAction::None;
    } cases[] = {
        {{}, true, false, SetupAction::None, ""},
        {{"--show"}, true, true, SetupAction::None, ""},
        {{"--setup", "Video Post 25"}, true, false, SetupAction::Recall, "Video Post 25"},
        {{"--show", "--save-setup", longest}, true, true, SetupAction::Save, longest},
        {{"--setup", longest + "y"}, false, false, SetupAction::None, ""},
        {{"--setup", ""}, false, false, SetupAction::None, ""},
        {{"--setup", " music"}, false, false, SetupAction::None, ""},
        {{"--setup", "music "}, false, false, SetupAction::None, ""},
        {{"--setup", "a\\b"}, false, false, SetupAction::None, ""},
        {{"--setup", "tab\there"}, false, false, SetupAction::None, ""},
        {{"--setup"}, false, false, SetupAction::None, "--setup takes the setup's name"},
        {{"--setup", "a", "--save-setup", "b"}, false, false, SetupAction::None, ""},
        {{"--cards", "2"}, false, false, SetupAction::None, ""},
        {{"--export-setups", "C:\\My Setups.txt"}, true, false, SetupAction::None, "", SetupsFileAction::Export},
        {{"--import-setups", "setups.txt"}, true, false, SetupAction::None, "", SetupsFileAction::Import},
        {{"--import-setups"}, false, false, SetupAction::None, "--import-setups takes the file's name"},
        {{"--export-setups", ""}, false, false, SetupAction::None, ""},
        {{"--export-setups", "a.txt", "--import-setups", "a.txt"}, false, false, SetupAction::None, ""},
        {{"--setup", "a", "--export-setups", "a.txt"}, false, false, SetupAction::None, ""},
    };
    for (const auto& c : cases) {
        std::ostringstream words;
        for (const std::string& word : c.words) words << '[' << word << ']';
        SCOPED_TRACE(words.str());
        DeskOptions options;
        OptionError error;
        ASSERT_EQ(ParseDeskOptions(c.words, &options, &error), c.valid) << error.what;
        if (!c.valid) {
            EXPECT_FALSE(error.what.empty());
            EXPECT_NE(error.what.find(c.name), std::string::npos) << error.what;
            continue;
        }
        EXPECT_EQ(options.show, c.show);
        EXPECT_EQ(options.setupAction, c.action);
        EXPECT_EQ(options.setupName, c.name);
        EXPECT_EQ(options.setupsFileAction, c.fileAction);
        EXPECT_EQ(options.setupsFile, c.fileAction == SetupsFileAction::None ? "" : c.words[1]);
    }
    EXPECT_TRUE(SameSetupName("Video Post", "VIDEO post"));
    EXPECT_FALSE(SameSetupName("Video Post", "Video Post 2"));
}

TEST(ProgramHelpTest, ColumnsForTheConsoleProseForAMessageBox) {
    const ProgramHelp& help = SimProgramHelp();
    const std::string columns = UsageColumns(help);
    std::istringstream lines(columns);
    std::string line;
    while (std::getline(lines, line)) EXPECT_LE(line.size(), 79u) << line;
    // A form too wide for its column stands on a line of its own.
    EXPECT_NE(columns.find("\n  --ready-event NAME\n                     set the named event"), std::string::npos)
        << columns;

    const std::string prose = UsageProse(help);
    EXPECT_EQ(prose.find("  "), std::string::npos) << "a message box's text is not laid out in columns:\n" << prose;
    EXPECT_NE(prose.find("--cards N: N simulated cards (0 to 4)"), std::string::npos) << prose;

    SimOptions options;
    OptionError error;
    ASSERT_FALSE(ParseSimOptions({"--cards", "7"}, &options, &error));
    EXPECT_EQ(ErrorColumns(help, error), "desk-sim.exe: --cards takes a number from 0 to 4\n\n" + columns);
    EXPECT_EQ(ErrorProse(help, error),
              "desk-sim.exe cannot start: --cards takes a number from 0 to 4.\n\nThe right form is \"--cards N\": N "
              "simulated cards (0 to 4) at driver indices 0..N-1 (default 2).");
    ASSERT_FALSE(ParseSimOptions({"--card"}, &options, &error));
    const std::string unknown = ErrorProse(help, error);
    EXPECT_EQ(unknown.find("desk-sim.exe cannot start: it has no option \"--card\".\n\nIts options are --show, "), 0u)
        << unknown;
    EXPECT_NE(unknown.find(" and --help. Start it with --help"), std::string::npos) << unknown;
}

}  // namespace
