// Where the desk's main window goes and how tall it is: one column per card
// of the "mainbak" picture's size, the frame and caption around the client
// area, and the timecode row that the show/hide toggle adds below it.
// Portable: no windows.h here.
#pragma once

constexpr int kMainFrameWidth = 6;       // the frame's two sides
constexpr int kMainFrameHeight = 25;     // the caption and the frame's top and bottom
constexpr int kTimecodeRowHeight = 100;  // the "smptebak" row

struct MainWindowRect {
    int x;
    int y;
    int width;
    int height;
};

// The window for `columns` columns of `columnWidth` x `rowHeight` pixels, in
// its short form, centred on a `screenWidth` x `screenHeight` screen as if it
// were only the row's height high: x = (screen width - columns x column
// width) / 2 and y = (screen height - row height) / 2, the division
// truncating toward zero, so a screen narrower than the columns gives a
// negative x.
MainWindowRect PlaceMainWindow(int screenWidth, int screenHeight, int columns, int columnWidth, int rowHeight);

// The window's height: the short form, or the tall form with the timecode
// row shown.
int MainWindowHeight(int rowHeight, bool timecodeRowShown);
