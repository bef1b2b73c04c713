// The desk's notification-area icon and the popup menu of driver options.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <cstdint>

void AddTrayIcon(HWND window);
void RemoveTrayIcon();
// The record the icon was added with, kept for its removal.
const NOTIFYICONDATAA& TrayIconRecord();
// True for the message the shell broadcasts when the taskbar (re)starts.
bool IsTaskbarCreatedMessage(UINT message);

void BuildOptionsMenu();
HMENU OptionsMenu();
// The driver options' command ids (910 to 914, 920, 921, 930 to 933 and 940
// to 943), which OnOptionsCommand carries out.
bool IsOptionsCommand(unsigned id);
LRESULT OnOptionsCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// What OK on the DirectSound option's reboot question does, with the new
// option value: the desk restarts Windows, so that the driver takes the
// option; the simulated desk puts its own action in place. Null puts back
// the restart.
void SetRebootAction(void (*action)(HWND window, int32_t directSound));
void OnClosePanel(HWND window);
void OnAlwaysOnTop(HWND window);
