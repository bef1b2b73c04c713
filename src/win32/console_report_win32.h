// What a program that takes options tells whoever started it: its usage or
// an error, and, for a script that waits on it, that it is ready.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win32/command_line.h"

// Writes `text` to the standard handle the program inherited (a GUI program
// under Wine gets the shell's); with none, as when started from a desktop,
// the text goes into a message box with `caption` instead.
void ReportText(DWORD standardHandle, const std::string& text, const char* caption, UINT boxIcon);

// Reads the program's command line with `parse`: -1 to go on, or the exit
// code to end with, 2 after an error (told with the usage), 0 after --help.
template <typename Options>
int TakeProgramOptions(const char* program, const char* usage,
                       bool (*parse)(const std::vector<std::string>&, Options*, std::string*), Options* options) {
    std::string error;
    if (!parse(SplitCommandLine(GetCommandLineA(), true), options, &error)) {
        ReportText(STD_ERROR_HANDLE, std::string(program) + ": " + error + "\n\n" + usage, program, MB_ICONERROR);
        return 2;
    }
    if (options->help) ReportText(STD_OUTPUT_HANDLE, usage, program, MB_ICONINFORMATION);
    return options->help ? 0 : -1;
}

// Sets the named event a script or benchmark waits on; none when empty.
void SignalReadyEvent(const std::string& name);
