// Setups to a file and back, from the Setups menu ("Export Setups..." and
// "Import Setups...", through the common Save and Open dialogs) and from the
// command line (--export-setups and --import-setups, which need no running
// desk and no card).
#pragma once

#include <windows.h>

#include "app/desk_options.h"
#include "app/registry_settings_key_win32.h"

// Carries out the command line's --export-setups or --import-setups on the
// settings key at `place`, tells the user what became of it (on the console,
// or in a message box when started without one) and gives the exit code: 0
// when done, 2 when not, with nothing changed. -1 when neither was given.
int RunSetupsFileOption(const char* program, const RegistryKeyPlace& place, const DeskOptions& options);

// The menu's commands, over the installed settings key.
void ExportSetupsFromMenu(HWND window);
void ImportSetupsFromMenu(HWND window);
