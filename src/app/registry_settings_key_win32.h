// The program's registry key under HKEY_LOCAL_MACHINE, through ADVAPI32.
#pragma once

#include "settings/settings_store.h"

extern const char kSettingsKeyPath[];

class RegistrySettingsKey : public SettingsKey {
public:
    bool Query(const char* name, void* buffer, uint32_t* size, uint32_t* type) override;
    bool SetBinary(const char* name, const void* data, uint32_t size) override;
};
