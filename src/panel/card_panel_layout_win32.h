// Building a card's column of controls on the main window, and moving it.
#pragma once

#include <windows.h>

#include "panel/card_panel.h"

// Builds the column of `card` at (x0, y0) of `parent`, keeps it in the panel
// table and restores it from the card's settings record (which also sends
// the record's settings to the card). Installs the Windows panel controls
// first unless others are installed.
void CreateCardPanel(HINSTANCE instance, HWND parent, int x0, int y0, int card);

// Moves every control of `card`'s column (the static bitmaps too) as one
// block, so that the column's origin lies at (x0, y0) of its parent: the
// column keeps its own layout exactly. Nothing is redrawn; the caller
// repaints the parent with its children.
void MoveCardPanel(int card, int x0, int y0);

// Shows or hides the controls of `card`'s timecode row (the digit fields,
// start and the frame-rate keys). A hidden row's controls are hidden windows,
// so neither the pointer nor the keyboard reaches what cannot be seen.
void ShowTimecodeControls(int card, bool shown);

// The window of the control of layout row `row` in `card`'s column, or null.
HWND ColumnControl(int card, size_t row);

// Where `control` stands: its card and layout row; false for a window that
// is no column's control.
bool FindColumnControl(HWND control, int* card, size_t* row);
