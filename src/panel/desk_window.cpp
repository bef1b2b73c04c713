#include "panel/desk_window.h"

namespace {

// Stands in until the main window is installed.
class NoDeskWindow : public DeskWindow {
public:
    void ShowTimecodeRow(bool) override {}
};

NoDeskWindow noDeskWindow;
DeskWindow* installedDeskWindow = &noDeskWindow;

}  // namespace

void SetDeskWindow(DeskWindow* window) { installedDeskWindow = window != nullptr ? window : &noDeskWindow; }

DeskWindow& CurrentDeskWindow() { return *installedDeskWindow; }
