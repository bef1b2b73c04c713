#include "support/registry_fixture.h"

#include "app/registry_settings_key_win32.h"

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
