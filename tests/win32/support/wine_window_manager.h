// Under Wine on a display without a window manager (the tests' Xvfb), hiding
// a top-level window that Wine hands to the window manager waits two seconds
// for an answer that never comes. Tests that show and hide the desk's window
// many times ask Wine, before their first window exists, to keep their own
// program's windows to themselves (the per-program "Managed" = "N" setting of
// Wine's X11 driver); the desk's code runs exactly the same either way.
#pragma once

namespace wintest {

// Does nothing on Windows. Must run before the first window is created.
void KeepWindowsUnmanagedUnderWine();

}  // namespace wintest
