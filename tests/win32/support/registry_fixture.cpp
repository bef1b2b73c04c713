#include "support/registry_fixture.h"

// Written out here rather than taken from the program, so that a misspelt
// key in the program shows in every test that reads what it stored.
static const char kSettingsKeyPath[] = "System\\CurrentControlSet\\Control\\MediaResources\\TaraDock24";

void DeleteSettingsKey() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKeyPath); }

bool SettingsKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool ReadRawValue(const char* name, std::vector<BYTE>* bytes, DWORD* type) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        bytes->assign(size, 0);
        result = RegQueryValueExA(key, name, nullptr, type, bytes->data(), &size);
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void WriteRawValue(const char* name, DWORD type, const std::vector<BYTE>& bytes) {
    HKEY key = nullptr;
    RegCreateKeyA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, &key);
    RegSetValueExA(key, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}
