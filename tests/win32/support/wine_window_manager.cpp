#include "support/wine_window_manager.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace wintest {

namespace {

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// True when the key already held "N"; otherwise stores it.
bool AlreadyUnmanaged(HKEY key) {
    static const char kNo[] = "N";
    char value[8] = "";
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegQueryValueExA(key, "Managed", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
        type == REG_SZ && std::strcmp(value, kNo) == 0)
        return true;
    RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNo), sizeof kNo);
    return false;
}

// Runs this program again with the same command line and ends with its exit
// code; returns only when it could not be started.
void RunAgainAndExit() {
    std::printf("(running again: Wine's X11 driver reads the window setting only as it loads)\n");
    std::fflush(stdout);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = GetCommandLineA();
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ExitProcess(code);
}

}  // namespace

void KeepWindowsUnmanagedUnderWine() {
    if (!UnderWine()) return;
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* slash = std::strrchr(path, '\\');
    const std::string program = slash != nullptr ? slash + 1 : path;
    const std::string keyPath = "Software\\Wine\\AppDefaults\\" + program + "\\X11 Driver";
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, keyPath.c_str(), &key) != ERROR_SUCCESS) return;
    const bool already = AlreadyUnmanaged(key);
    RegCloseKey(key);
    if (already || GetModuleHandleA("winex11.drv") == nullptr) return;
    RunAgainAndExit();
}

}  // namespace wintest
