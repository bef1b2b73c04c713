#include "support/wine_window_manager.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace wintest {

namespace {

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
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
    static const char kNo[] = "N";
    RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNo), sizeof kNo);
    RegCloseKey(key);
}

}  // namespace wintest
