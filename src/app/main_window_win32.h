// The desk's one top-level window: one column per card, hidden until the
// tray icon is clicked, and the hub every notification passes through.
#pragma once

#include <windows.h>

#include "app/desk_options.h"
#include "app/registry_settings_key_win32.h"
#include "card/driver_link.h"
#include "panel/desk_window.h"

int RunMainWindow(HINSTANCE instance);
// Registers the main window class and creates the window (hidden, its panels
// built and restored); nullptr when it cannot be created. RunMainWindow's first
// step, on its own for programs that run the window without its loop.
HWND CreateMainWindow(HINSTANCE instance);

// Called once the main window exists (still hidden) and before the message
// loop; the simulated desk uses it to open its monitor. Null by default.
void SetMainWindowReadyHook(void (*hook)(HWND window));

// Called for every WM_POWERBROADCAST, with its event, after the desk has
// acted on it; the simulated desk uses it to cut its cards' power at the
// suspend. Null by default.
void SetMainWindowPowerHook(void (*hook)(HWND window, WPARAM event));

// The main window as the panel logic sees it; installed at start with
// SetDeskWindow, beside the driver link.
DeskWindow& MainWindowAsDesk();

// What makes a desk of desk.exe or desk-sim.exe: the driver it finds its
// cards through, the registry key it keeps its settings in, what OK on the
// reboot question does (null: restart Windows), the options it was started
// with, and what it says when asked to show itself without a card.
struct DeskStart {
    const char* program;  // "desk.exe" or "desk-sim.exe", as it reports to the user
    DriverLink* driver;
    RegistryKeyPlace settingsKey;
    void (*reboot)(HWND window, int32_t directSound);
    DeskOptions options;
    const char* noCardMessage;
};

// The shared start-up and shut-down of desk.exe and desk-sim.exe, with the
// multimedia clock.
int RunDesk(HINSTANCE instance, const DeskStart& start);
