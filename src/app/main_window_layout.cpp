#include "app/main_window_layout.h"

MainWindowRect PlaceMainWindow(int screenWidth, int screenHeight, int columns, int columnWidth, int rowHeight) {
    MainWindowRect rect;
    rect.x = (screenWidth - columns * columnWidth) / 2;
    rect.y = (screenHeight - rowHeight) / 2;
    rect.width = columns * columnWidth + kMainFrameWidth;
    rect.height = MainWindowHeight(rowHeight, false);
    return rect;
}

int MainWindowHeight(int rowHeight, bool timecodeRowShown) {
    return rowHeight + kMainFrameHeight + (timecodeRowShown ? kTimecodeRowHeight : 0);
}
