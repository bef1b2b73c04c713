// "Save Current Settings As...": a small dialog that asks for a setup's
// name, refuses a name no setup may have, and asks before an existing
// setup of that name is replaced.
#pragma once

#include <windows.h>

#include <string>

// Shows the dialog over `owner`, its field holding `suggested` at first.
// True with `name` set when the user chose OK with a name to store under.
bool AskSetupName(HWND owner, const std::string& suggested, std::string* name);
