// Where a desk keeps its settings in the registry, and the key itself
// through ADVAPI32. The program chooses the place once, at start: the desk
// keeps them in the key the card's driver reads, the simulated desk in a key
// of the user's own, so that trying the desk never touches a real card's
// settings or the driver's options.
#pragma once

#include <windows.h>

#include "settings/settings_store.h"

struct RegistryKeyPlace {
    HKEY root;
    const char* path;
};

// HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\MediaResources\TaraDock24:
// the card's driver reads its options there.
extern const RegistryKeyPlace kDeskSettingsKey;
// HKEY_CURRENT_USER\Software\TaraDock-20 Control Desk\Simulated Cards.
extern const RegistryKeyPlace kSimulatedCardsSettingsKey;

class RegistrySettingsKey : public SettingsKey {
public:
    explicit RegistrySettingsKey(const RegistryKeyPlace& place) : place_(place) {}

    bool Query(const char* name, void* buffer, uint32_t* size, uint32_t* type) override;
    bool SetBinary(const char* name, const void* data, uint32_t size) override;
    bool QueryBelow(const std::string& path, const char* name, void* buffer, uint32_t* size, uint32_t* type) override;
    bool SetBinaryBelow(const std::string& path, const char* name, const void* data, uint32_t size) override;
    bool ListKeysBelow(const std::string& path, std::vector<std::string>* names) override;
    bool DeleteKeyBelow(const std::string& path) override;
    bool DeleteValueBelow(const std::string& path, const char* name) override;

    const RegistryKeyPlace& Place() const { return place_; }

private:
    RegistryKeyPlace place_;
};
