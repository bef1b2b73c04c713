#include "app/registry_settings_key_win32.h"

const RegistryKeyPlace kDeskSettingsKey = {HKEY_LOCAL_MACHINE,
                                           "System\\CurrentControlSet\\Control\\MediaResources\\TaraDock24"};
const RegistryKeyPlace kSimulatedCardsSettingsKey = {HKEY_CURRENT_USER,
                                                     "Software\\TaraDock-20 Control Desk\\Simulated Cards"};

bool RegistrySettingsKey::Query(const char* name, void* buffer, uint32_t* size, uint32_t* type) {
    HKEY key = nullptr;
    if (RegOpenKeyA(place_.root, place_.path, &key) != ERROR_SUCCESS) return false;
    DWORD bytes = *size;
    DWORD valueType = 0;
    const LONG result = RegQueryValueExA(key, name, nullptr, &valueType, static_cast<BYTE*>(buffer), &bytes);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return false;
    *size = bytes;
    *type = valueType;
    return true;
}

bool RegistrySettingsKey::SetBinary(const char* name, const void* data, uint32_t size) {
    HKEY key = nullptr;
    if (RegCreateKeyA(place_.root, place_.path, &key) != ERROR_SUCCESS) return false;
    const LONG written = RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}
