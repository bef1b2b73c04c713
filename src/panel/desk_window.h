// What the panel logic asks of the desk's main window: to show its timecode
// row or not. The main window, where the frame sizes live, answers it; the
// native tests install a fake. Installed at start beside the driver link.
// Portable: no windows.h here.
#pragma once

class DeskWindow {
public:
    virtual ~DeskWindow() = default;
    // The tall form (the timecode row shown) or the short one. The height
    // follows the state, so asking twice changes nothing the second time.
    virtual void ShowTimecodeRow(bool shown) = 0;
};

// Null puts back the default, which does nothing.
void SetDeskWindow(DeskWindow* window);
DeskWindow& CurrentDeskWindow();
