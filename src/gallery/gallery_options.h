// The control gallery's command line. Portable: no windows.h here.
#pragma once

#include <string>
#include <vector>

#include "win32/program_help.h"

struct GalleryOptions {
    std::string eventsFile;     // every notification, one line each; empty: none
    std::string drawTraceFile;  // the toolkit's drawing trace; empty: none
    std::string readyEvent;     // set once every control exists and shows; empty: none
    bool help = false;
};

// False with `error` set when the words are not valid options.
bool ParseGalleryOptions(const std::vector<std::string>& words, GalleryOptions* options, OptionError* error);

const ProgramHelp& GalleryProgramHelp();
