// The simulated desk's command line: the desk's own options (open the
// panel, setups, help) and what the simulated driver and cards do.
#pragma once

#include <string>
#include <vector>

#include "app/desk_options.h"
#include "win32/program_help.h"

struct SimOptions : DeskOptions {
    unsigned answering = 0x3;  // bit i: driver index i answers; two cards by default
    std::string traceFile;     // empty: no trace
    std::string stateFile;     // empty: no state file
    std::string readyEvent;    // empty: none is signalled
    bool unitAbsent = false;
    bool bridgeStuck = false;
    bool monitor = true;  // the card monitor window beside the desk
};

// False with `error` set when the words are not valid options.
bool ParseSimOptions(const std::vector<std::string>& words, SimOptions* options, OptionError* error);

const ProgramHelp& SimProgramHelp();
