// The main window's place on the screen and the arrangement of the card
// columns in it (main_window_placement.h): the window's size and position,
// the columns moved as blocks into their rows, the timecode rows shown or
// hidden, the scroll bars and the mouse wheel, the background drawn under
// the columns wherever they are, and the window placed again when the
// screen or its work area changes.
#pragma once

#include <windows.h>

#include "app/main_window_placement.h"
#include "controls/skin_image.h"

// Once the columns of `geometry.cards` cards are built on `window`: places
// the window for a fresh start, the timecode rows hidden.
void StartPanelArrangement(HWND window, const PanelGeometry& geometry);

// As the window is about to be shown: placed again where it no longer keeps
// to the rules there, afresh where the resolution changed while it was
// minimised. A minimised window is placed as its restore ends (WM_SIZE).
void PlacePanelForShow(HWND window);

// The timecode rows shown or not. The window keeps its place where it still
// keeps to the rules, else it is placed again; asked twice, nothing changes
// the second time. What the view shows at its top stays there.
void ShowPanelTimecodeRows(HWND window, bool shown);

// The two backgrounds under every column, where the columns are, scrolled
// as the view is; what no card covers is filled. In client coordinates of
// the main window, for WM_PAINT and WM_PRINTCLIENT alike.
void DrawPanelBackground(HWND window, HDC target, const SkinImage& mainBackground, const SkinImage& timecodeBackground);

// The window's own scroll bars, the mouse wheel, a change of the screen's
// resolution (the window is placed afresh, the timecode rows and the view
// kept) and of the work area or the frame's metrics (the window stays where
// it still keeps to the rules); a minimised window gets what it missed at its
// restore. True when `message` was one of them, with what the window procedure
// returns in `result`.
bool OnPanelArrangementMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// Scrolls the view, as little as it takes, so that `control` (a column's
// control, where the keyboard's focus has gone) shows whole. Nothing for a
// control already in view, or one that is not the window's.
void ScrollIntoView(HWND window, HWND control);

// The monitor `window` is on (the nearest one where it is on none; on
// Windows 95 the screen) and its work area, within it: the part the taskbar
// and the like leave free.
struct MonitorArea {
    RECT whole;
    RECT work;
};
MonitorArea WindowMonitor(HWND window);

// The screen rectangle the main window takes with the timecode rows shown,
// together with the one it takes now: where a window beside it should not go.
RECT PanelWindowExtent(HWND window);

// The arrangement in force.
const PanelPlacement& CurrentPanelPlacement();
