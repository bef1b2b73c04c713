// The options menu's "&Setups" submenu: "&Save Current Settings As...",
// every stored setup by name (choosing one recalls it; the last one saved or
// recalled is checked while the cards still match it) and "&Delete Setup"
// with the same names. It follows the menu's own items, whose order and ids
// stay as they are; its ids lie in a range of their own.
#pragma once

#include <windows.h>

// Adds a separator and the submenu after the last item of `optionsMenu`.
void AppendSetupsMenu(HMENU optionsMenu);
// Lists the stored setups again, as they are now; called before the menu
// opens.
void RefreshSetupsMenu();

bool IsSetupsCommand(unsigned id);
void OnSetupsCommand(HWND window, unsigned id);
