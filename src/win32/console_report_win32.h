// What a program that takes options tells whoever started it: its usage or
// an error, and, for a script that waits on it, that it is ready.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win32/command_line.h"
#include "win32/program_help.h"

// Whether the program has a standard handle of that kind to write to: a GUI
// program under Wine gets the shell's, one started from a desktop or the
// Start menu has none.
bool HasStandardHandle(DWORD standardHandle);

// Writes `consoleText` to the standard handle the program inherited; with
// none, `boxText` goes into a message box with `caption` instead.
void ReportText(DWORD standardHandle, const std::string& consoleText, const std::string& boxText, const char* caption,
                UINT boxIcon);

// Reads the program's command line with `parse`: -1 to go on, or the exit
// code to end with, 2 after an error (told with the right form), 0 after
// --help.
template <typename Options>
int TakeProgramOptions(const ProgramHelp& help, bool (*parse)(const std::vector<std::string>&, Options*, OptionError*),
                       Options* options) {
    OptionError error;
    if (!parse(SplitCommandLine(GetCommandLineA(), true), options, &error)) {
        ReportText(STD_ERROR_HANDLE, ErrorColumns(help, error), ErrorProse(help, error), help.program, MB_ICONERROR);
        return 2;
    }
    if (options->help)
        ReportText(STD_OUTPUT_HANDLE, UsageColumns(help), UsageProse(help), help.program, MB_ICONINFORMATION);
    return options->help ? 0 : -1;
}

// Sets the named event a script or benchmark waits on; none when empty.
void SignalReadyEvent(const std::string& name);
