// The desk's window as a screen reader sees it: its client area holds one
// group per card ("Card 1", "Card 2", ...), which a reader moves through
// from card to card. A card's group holds its column's controls in reading
// order and, last, its timecode row as a group of its own ("Timecode"),
// whose value is the time the row shows ("01:00:02:19"). A control's parent,
// for a reader, is the group it stands in.
#pragma once

#include <windows.h>

// The main window's answer to WM_GETOBJECT for its client area, and to a
// control asking for its group (AccessibleGroupMessage): true, with the
// answer in *result, when it answered; false for any other message (and
// for other objects, which go to DefWindowProc).
bool AnswerPanelReader(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
