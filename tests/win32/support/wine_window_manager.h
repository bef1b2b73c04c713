// Under Wine on a display without a window manager (the tests' Xvfb), hiding
// a top-level window that Wine hands to the window manager waits a second or
// two for an answer that never comes. Tests that show and hide the desk's
// window many times ask Wine to keep their own program's windows to
// themselves (the per-program "Managed" = "N" setting of Wine's X11 driver);
// the desk's code runs exactly the same either way.
#pragma once

namespace wintest {

// Does nothing on Windows. Wine's X11 driver reads the setting once, when it
// loads, and the test programs load it before main (the common dialogs'
// library does as it starts). So a program that finds the setting missing
// makes it and runs itself again, once, ending with that run's exit code: in
// a fresh Wine prefix the first run would otherwise wait at every hide.
// Call it before the first window is created.
void KeepWindowsUnmanagedUnderWine();

}  // namespace wintest
