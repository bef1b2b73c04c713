// The words of a Windows command line, for the programs that take options
// (the simulated desk and the control gallery; the desk itself takes none).
// Portable: no windows.h here.
#pragma once

#include <string>
#include <vector>

// Splits a command line into words (double quotes group, as the C runtime
// does for plain cases). With `skipProgramName` the first word, the
// program's name, is left out.
std::vector<std::string> SplitCommandLine(const char* commandLine, bool skipProgramName);
