// Where the desk's main window goes on a given screen and how its card
// columns are arranged in it. Where the centred window of main_window_layout.h
// shows every control on the work area, that is the window. Otherwise the
// columns wrap into rows of cards (each card's "mainbak" row with its
// "smptebak" row below it while the timecode rows are shown) and the panel
// scrolls where even the rows do not fit; the window then lies inside the
// work area. The frame comes from the system, so the client area is exactly
// the panel at any caption height and border width.
// Portable: no windows.h here.
#pragma once

// A rectangle in screen coordinates, right and bottom exclusive.
struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// What the window's frame adds on each side of its client area (the
// caption is in `top`), as AdjustWindowRectEx gives it for the window's style.
struct FrameInsets {
    int left;
    int top;
    int right;
    int bottom;
};

// The screen the window goes on: the monitor it is on, where a machine has
// more than one.
struct ScreenMetrics {
    ScreenRect monitor;   // the whole monitor, on which the centred window is centred
    ScreenRect workArea;  // the part of it not taken by the taskbar and the like
    FrameInsets frame;
    int verticalScrollBarWidth;
    int horizontalScrollBarHeight;
};

// The panel: one column per card, from the two background bitmaps.
struct PanelGeometry {
    int cards;
    int columnWidth;        // "mainbak"'s width
    int mainRowHeight;      // "mainbak"'s height
    int timecodeRowHeight;  // "smptebak"'s height
};

struct PanelPlacement {
    ScreenRect window;
    bool centred;       // the centred window of main_window_layout.h: one row, nothing scrolls
    int cardsPerRow;    // card columns side by side
    int rows;           // rows of cards
    int columnWidth;    // one card's column
    int cardRowHeight;  // one row of cards: "mainbak", and "smptebak" while shown
    int clientWidth;    // the client area, less the scroll bars
    int clientHeight;
    int panelWidth;  // the whole panel, of which the client area shows a part when it scrolls
    int panelHeight;

    bool ScrollsVertically() const { return panelHeight > clientHeight; }
    bool ScrollsHorizontally() const { return panelWidth > clientWidth; }
    // Where card `card`'s column starts in the panel.
    int CardLeft(int card) const { return (card % cardsPerRow) * columnWidth; }
    int CardTop(int card) const { return (card / cardsPerRow) * cardRowHeight; }
};

// The window for a fresh start: the centred window where it shows every
// control on the work area; otherwise the fewest rows of cards (as even as
// they go) that are narrow enough, scrolled where they are still too tall or
// one card is too wide, in a window centred on the work area.
PanelPlacement PlacePanel(const PanelGeometry& panel, const ScreenMetrics& screen, bool timecodeShown);

// The same arrangement with the window's top-left corner kept at (x, y)
// where it still keeps to the rules there (the centred arrangement: every
// control on the work area; the others: the whole window inside it), else
// the fresh placement.
PanelPlacement PlacePanelKeeping(const PanelGeometry& panel, const ScreenMetrics& screen, bool timecodeShown, int x,
                                 int y);
