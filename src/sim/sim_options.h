// The simulated desk's own command line. The desk itself takes none; these
// options only say what the simulated driver and cards do.
#pragma once

#include <string>
#include <vector>

#include "win32/command_line.h"

struct SimOptions {
    unsigned answering = 0x3;  // bit i: driver index i answers; two cards by default
    std::string traceFile;     // empty: no trace
    std::string stateFile;     // empty: no state file
    std::string readyEvent;    // empty: none is signalled
    bool unitAbsent = false;
    bool bridgeStuck = false;
    bool showPanel = false;  // open the panel at start, as a tray click would
    bool monitor = true;     // the card monitor window beside the desk
    bool help = false;
};

// False with `error` set when the words are not valid options.
bool ParseSimOptions(const std::vector<std::string>& words, SimOptions* options, std::string* error);

extern const char kSimUsage[];
