#include "app/desk_options.h"

#include "settings/setup_name.h"

const std::vector<OptionHelp>& DeskOptionHelp() {
    static const std::vector<OptionHelp> rows = {
        {"--show",
         "open the panel at once, as a click on the desk's icon beside the clock does; with no card found, say so in "
         "a message box (without it the desk starts silently, as at logon)"},
        {"--setup NAME",
         "set every card from the setup saved as NAME, in the running desk or, with none running, after the start; "
         "an unknown name or a setup that cannot be applied changes nothing and ends with exit code 2"},
        {"--save-setup NAME", "save every card's settings as the setup NAME, replacing one of that name"},
        {"--help", "show this text"},
    };
    return rows;
}

const ProgramHelp& DeskProgramHelp() {
    static const ProgramHelp help = {
        "desk.exe", "the TaraDock-20 control desk", DeskOptionHelp(),
        "Without options the desk starts in the notification area, as at logon. A second start shows the running "
        "desk's panel, and hands it --setup or --save-setup."};
    return help;
}

OptionTaken TakeDeskOption(const std::vector<std::string>& words, size_t* i, DeskOptions* options, OptionError* error) {
    const std::string& word = words[*i];
    if (word == "--show") {
        options->show = true;
        return OptionTaken::Yes;
    }
    if (word == "--help" || word == "-h" || word == "/?") {
        options->help = true;
        return OptionTaken::Yes;
    }
    const SetupAction action = word == "--setup"        ? SetupAction::Recall
                               : word == "--save-setup" ? SetupAction::Save
                                                        : SetupAction::None;
    if (action == SetupAction::None) return OptionTaken::No;
    if (options->setupAction != SetupAction::None) {
        *error = {"--setup and --save-setup are given once, and not together", word};
        return OptionTaken::Bad;
    }
    if (*i + 1 >= words.size()) {
        *error = {word + " takes the setup's name", word};
        return OptionTaken::Bad;
    }
    const std::string& name = words[++*i];
    if (const char* problem = SetupNameProblem(name)) {
        *error = {word + " \"" + name + "\": " + problem, word};
        return OptionTaken::Bad;
    }
    options->setupAction = action;
    options->setupName = name;
    return OptionTaken::Yes;
}

bool ParseDeskOptions(const std::vector<std::string>& words, DeskOptions* options, OptionError* error) {
    for (size_t i = 0; i < words.size(); ++i) {
        switch (TakeDeskOption(words, &i, options, error)) {
        case OptionTaken::Yes: break;
        case OptionTaken::Bad: return false;
        case OptionTaken::No: *error = {"unknown option " + words[i], words[i]}; return false;
        }
    }
    return true;
}
