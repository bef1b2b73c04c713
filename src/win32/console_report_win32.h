// Text for whoever started a program with options: its usage or an error.
#pragma once

#include <windows.h>

#include <string>

// Writes `text` to the standard handle the program inherited (a GUI program
// under Wine gets the shell's); with none, as when started from a desktop,
// the text goes into a message box with `caption` instead.
void ReportText(DWORD standardHandle, const std::string& text, const char* caption, UINT boxIcon);
