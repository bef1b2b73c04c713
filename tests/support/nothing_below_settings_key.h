// A settings key of the tests and benchmarks that keeps no keys below it:
// it finds nothing there and stores nothing there. Setups need a key that
// keeps them (the registry's, or the native tests' fake).
#pragma once

#include <string>
#include <vector>

#include "settings/settings_store.h"

class NothingBelowSettingsKey : public SettingsKey {
public:
    bool QueryBelow(const std::string&, const char*, void*, uint32_t*, uint32_t*) override { return false; }
    bool SetBinaryBelow(const std::string&, const char*, const void*, uint32_t) override { return false; }
    bool ListKeysBelow(const std::string&, std::vector<std::string>*) override { return false; }
    bool DeleteKeyBelow(const std::string&) override { return false; }
    bool DeleteValueBelow(const std::string&, const char*) override { return false; }
};
