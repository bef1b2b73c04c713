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
        {"--export-setups FILE",
         "write every setup to the text file FILE (replacing it), for a backup or another machine, and end"},
        {"--import-setups FILE",
         "take the setups of FILE, made by --export-setups or \"Export Setups...\", replacing setups of the same "
         "names, and end; a file that cannot be used changes nothing and ends with exit code 2"},
        {"--help", "show this text"},
    };
    return rows;
}

const ProgramHelp& DeskProgramHelp() {
    static const ProgramHelp help = {
        "desk.exe", "the TaraDock-20 control desk", DeskOptionHelp(),
        "Without options the desk starts in the notification area, as at logon. A second start shows the running "
        "desk's panel, and hands it --setup or --save-setup. --export-setups and --import-setups need no running "
        "desk and no card."};
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
    const SetupsFileAction fileAction = word == "--export-setups"   ? SetupsFileAction::Export
                                        : word == "--import-setups" ? SetupsFileAction::Import
                                                                    : SetupsFileAction::None;
    if (action == SetupAction::None && fileAction == SetupsFileAction::None) return OptionTaken::No;
    if (options->setupAction != SetupAction::None || options->setupsFileAction != SetupsFileAction::None) {
        *error = {"one of --setup, --save-setup, --export-setups and --import-setups is given, once", word};
        return OptionTaken::Bad;
    }
    if (*i + 1 >= words.size() || words[*i + 1].empty()) {
        *error = {word + (action != SetupAction::None ? " takes the setup's name" : " takes the file's name"), word};
        return OptionTaken::Bad;
    }
    if (fileAction != SetupsFileAction::None) {
        options->setupsFileAction = fileAction;
        options->setupsFile = words[++*i];
        return OptionTaken::Yes;
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
