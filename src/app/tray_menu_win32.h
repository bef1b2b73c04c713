// The desk's notification-area icon and the popup menu of driver options.
#pragma once

#include <windows.h>

void AddTrayIcon(HWND window);
void RemoveTrayIcon();
// True for the message the shell broadcasts when the taskbar (re)starts.
bool IsTaskbarCreatedMessage(UINT message);

void BuildOptionsMenu();
HMENU OptionsMenu();
LRESULT OnOptionsCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void OnClosePanel(HWND window);
void OnAlwaysOnTop(HWND window);
