// Runs desk.exe or desk-sim.exe as a real process beside the test and finds
// its main window.
#pragma once

#include <windows.h>

#include <string>

class DeskProcess {
public:
    // `program` is a file name in ProgramFolder().
    DeskProcess(const char* program, const std::string& arguments);
    ~DeskProcess();
    DeskProcess(const DeskProcess&) = delete;
    DeskProcess& operator=(const DeskProcess&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    // The desk's main window (class "TA20PAN"; the gallery's is
    // "KivGallery"), waiting up to `ms` for it.
    HWND WaitForMainWindow(DWORD ms = 20000, const char* className = "TA20PAN");
    // The exit code, or STILL_ACTIVE when it did not end within `ms`.
    DWORD WaitForExit(DWORD ms = 20000);
    DWORD id() const { return process_.dwProcessId; }
    HANDLE process() const { return process_.hProcess; }

private:
    PROCESS_INFORMATION process_ = {};
};

// The folder of the programs that ship (desk.exe, desk-sim.exe), ending in a
// backslash: the test programs are built in a tree of their own, so theirs
// is the shipped tree's bin folder; anything else built beside the programs
// (the start-up benchmark) uses its own folder.
std::string ProgramFolder();
// Polls `condition` until it holds or `ms` pass, pumping this thread's
// messages meanwhile.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD ms = 10000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > ms) return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(20);
    }
    return true;
}
