#include "support/registry_fixture.h"

#include <shlwapi.h>

const RegistryTestKey kDeskKey(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\MediaResources\\TaraDock24");
const RegistryTestKey kSimulatedKey(HKEY_CURRENT_USER, "Software\\TaraDock-20 Control Desk\\Simulated Cards");

void RegistryTestKey::Delete() const { SHDeleteKeyA(root_, path_); }

bool RegistryTestKey::Exists() const {
    HKEY key = nullptr;
    if (RegOpenKeyA(root_, path_, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool RegistryTestKey::Read(const char* name, std::vector<BYTE>* bytes, DWORD* type) const {
    HKEY key = nullptr;
    if (RegOpenKeyA(root_, path_, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        bytes->assign(size, 0);
        result = RegQueryValueExA(key, name, nullptr, type, bytes->data(), &size);
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void RegistryTestKey::Write(const char* name, DWORD type, const std::vector<BYTE>& bytes) const {
    HKEY key = nullptr;
    RegCreateKeyA(root_, path_, &key);
    RegSetValueExA(key, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}
