// The desk's command line, shared by desk.exe and desk-sim.exe: open the
// panel at once, recall a named setup or save one, export or import setups. Without options the desk
// starts as at logon, silently. Portable: no windows.h here.
#pragma once

#include <string>
#include <vector>

#include "win32/program_help.h"

enum class SetupAction { None, Recall, Save };

// Every setup to a file, or the setups of a file into the desk's: done at
// once, without a running desk or a card.
enum class SetupsFileAction { None, Export, Import };

struct DeskOptions {
    bool show = false;  // open the panel at once; with no card, say so
    SetupAction setupAction = SetupAction::None;
    std::string setupName;
    SetupsFileAction setupsFileAction = SetupsFileAction::None;
    std::string setupsFile;
    bool help = false;
};

// The help rows of the desk's options, for desk.exe and desk-sim.exe.
const std::vector<OptionHelp>& DeskOptionHelp();
const ProgramHelp& DeskProgramHelp();

enum class OptionTaken { No, Yes, Bad };

// Takes the desk's option at words[*i], with its value, and moves *i to its
// last word. No: the word is not one of the desk's options; Bad: it is,
// but wrongly given (`error` says why).
OptionTaken TakeDeskOption(const std::vector<std::string>& words, size_t* i, DeskOptions* options, OptionError* error);

// desk.exe's whole command line. False with `error` set when it is not valid.
bool ParseDeskOptions(const std::vector<std::string>& words, DeskOptions* options, OptionError* error);
