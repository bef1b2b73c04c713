// Building a card's column of controls on the main window.
#pragma once

#include <windows.h>

#include "panel/card_panel.h"

// Builds the column of `card` at (x0, y0) of `parent`, keeps it in the panel
// table and restores it from the card's settings record (which also sends
// the record's settings to the card). Installs the Windows panel controls
// first unless others are installed.
void CreateCardPanel(HINSTANCE instance, HWND parent, int x0, int y0, int card);
