// The options menu's "&Setups" submenu: "&Save Current Settings As...",
// the first 100 stored setups by name (choosing one recalls it; the last one
// saved or recalled is checked while the cards still match it), "&Delete
// Setup" with the same names, "&Export Setups..." and "&Import Setups..."
// (setups to a file and back) and, when there are more than 100 setups,
// "&More Setups...", the list of them all. It follows the menu's own items, whose order and ids
// stay as they are; its ids lie in a range of their own.
#pragma once

#include <windows.h>

#include <string>

// Adds a separator and the submenu after the last item of `optionsMenu`.
void AppendSetupsMenu(HMENU optionsMenu);
// Lists the stored setups again, as they are now; called before the menu
// opens.
void RefreshSetupsMenu();

bool IsSetupsCommand(unsigned id);
// Asks whether the setup `name` is to be deleted, and deletes it on Yes.
void AskToDeleteSetup(HWND window, std::string name);
void OnSetupsCommand(HWND window, unsigned id);
