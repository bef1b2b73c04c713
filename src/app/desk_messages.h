// Window messages with the program's own meaning, and the menu commands the
// main window carries out itself.
#pragma once

#include "resource.h"

constexpr unsigned kWmTrayNotify = 0x0400;     // WM_USER: the tray icon's callback
constexpr unsigned kWmRoutingNotify = 0x0401;  // the driver: a routing change
constexpr unsigned kWmTimecodeByte = 0x0402;   // the driver: one byte of MIDI Time Code

constexpr unsigned kCmdClosePanel = IDM_CLOSE_PANEL;  // "&Close Panel", also the accelerator's
constexpr unsigned kCmdAlwaysOnTop = 1005;            // "Always on &Top"

// The Setups submenu's commands, in a range no other command or panel
// control uses (the driver options are 910 to 943, the panel's ids 2048 and
// up).
constexpr unsigned kCmdSaveSetupAs = 1010;   // "&Save Current Settings As..."
constexpr unsigned kCmdMoreSetups = 1011;    // "&More Setups...": the list of every setup
constexpr unsigned kCmdExportSetups = 1012;  // "&Export Setups...": every setup to a file
constexpr unsigned kCmdImportSetups = 1013;  // "&Import Setups...": the setups of a file
constexpr unsigned kCmdRecallSetup = 1100;   // 1100..1199: the listed setups
constexpr unsigned kCmdDeleteSetup = 1200;   // 1200..1299: "&Delete Setup"'s names
constexpr unsigned kMostSetupsInMenu = 100;
