#include "support/desk_process.h"

#include <cstring>

std::string ProgramFolder() {
#ifdef DESK_SHIPPED_PROGRAMS
    // The test programs are built apart from the programs that ship.
    return DESK_SHIPPED_PROGRAMS;
#else
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (slash != nullptr) slash[1] = '\0';
    return path;
#endif
}

DeskProcess::DeskProcess(const char* program, const std::string& arguments) {
    const std::string path = ProgramFolder() + program;
    std::string commandLine = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        process_ = PROCESS_INFORMATION{};
    }
}

DeskProcess::~DeskProcess() {
    if (process_.hProcess == nullptr) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

namespace {
struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM parameter) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (owner == search->processId && std::strcmp(name, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND DeskProcess::WaitForMainWindow(DWORD ms, const char* className) {
    // The window exists from the middle of its creation on; the desk is
    // ready once its message loop waits for input.
    WaitForInputIdle(process_.hProcess, ms);
    WindowSearch search = {process_.dwProcessId, className, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        ms);
    return search.found;
}

DWORD DeskProcess::WaitForExit(DWORD ms) {
    if (process_.hProcess == nullptr) return STILL_ACTIVE;
    WaitForSingleObject(process_.hProcess, ms);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}
