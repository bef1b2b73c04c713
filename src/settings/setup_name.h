// The names of setups: what makes a name, and when two names are the same.
// Portable: no windows.h here.
#pragma once

#include <cstddef>
#include <string>

constexpr size_t kSetupNameMost = 32;

// Null when `name` can name a setup: 1 to 32 characters, no backslash (it
// is a registry key's name), no control character, no space at either end.
// Otherwise what is wrong with it, as a sentence without its full stop.
const char* SetupNameProblem(const std::string& name);

// Names compare without case, as the registry compares its keys' names.
bool SameSetupName(const std::string& a, const std::string& b);
// Orders names as the menu lists them: alphabetically, without case.
bool SetupNameBefore(const std::string& a, const std::string& b);
