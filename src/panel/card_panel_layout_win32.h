// Building a card's column of controls on the main window.
#pragma once

#include <windows.h>

#include "panel/card_panel.h"

// Builds the column of `card` at (x0, y0) of `parent`, keeps it in the panel
// table and restores it from the card's settings record (which also sends
// the record's settings to the card). Installs the Windows panel controls
// first unless others are installed.
void CreateCardPanel(HINSTANCE instance, HWND parent, int x0, int y0, int card);

// Creates every control of the column, in layout order, at (x0 + x, y0 + y)
// and keeps the handles in `panel`; with no parent it only sets the card.
// The controls load their bitmaps from the parent's module instance.
void BuildCardPanel(CardPanel* panel, HWND parent, int x0, int y0, int card);
