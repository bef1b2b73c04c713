// "More Setups...": a small dialog that lists every stored setup, where the
// Setups menu holds only the first ones, to recall one or delete one.
#pragma once

#include <windows.h>

#include <string>

// Shows the dialog over `owner`. True with `name` set when the user chose a
// setup to recall; the deletes the user made in it are done by then.
bool ChooseSetupToRecall(HWND owner, std::string* name);
