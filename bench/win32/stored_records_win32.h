// The simulated desk's stored card records, taken away for a benchmark's runs
// and put back after it, so that every run restores the default records and
// the settings the simulated desk keeps on this machine survive the benchmark.
#pragma once

#include <windows.h>

#include <cstdio>

#include "app/registry_settings_key_win32.h"

constexpr int kStoredRecords = 4;  // Mixer20 to Mixer23

class StoredRecords {
public:
    StoredRecords() {
        for (int i = 0; i < kStoredRecords; ++i) {
            Saved& saved = saved_[i];
            std::snprintf(saved.name, sizeof saved.name, "Mixer2%d", i);
            HKEY key = nullptr;
            if (RegOpenKeyExA(kSimulatedCardsSettingsKey.root, kSimulatedCardsSettingsKey.path, 0, KEY_QUERY_VALUE,
                              &key) != ERROR_SUCCESS)
                continue;
            DWORD size = sizeof saved.data;
            saved.present = RegQueryValueExA(key, saved.name, nullptr, &saved.type, saved.data, &size) == ERROR_SUCCESS;
            saved.size = size;
            RegCloseKey(key);
        }
    }
    ~StoredRecords() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(kSimulatedCardsSettingsKey.root, kSimulatedCardsSettingsKey.path, 0, KEY_SET_VALUE, &key) !=
            ERROR_SUCCESS)
            return;
        for (const Saved& saved : saved_)
            if (saved.present)
                RegSetValueExA(key, saved.name, 0, saved.type, saved.data, saved.size);
            else
                RegDeleteValueA(key, saved.name);
        RegCloseKey(key);
    }
    StoredRecords(const StoredRecords&) = delete;
    StoredRecords& operator=(const StoredRecords&) = delete;

    void Remove() const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(kSimulatedCardsSettingsKey.root, kSimulatedCardsSettingsKey.path, 0, KEY_SET_VALUE, &key) !=
            ERROR_SUCCESS)
            return;
        for (const Saved& saved : saved_) RegDeleteValueA(key, saved.name);
        RegCloseKey(key);
    }

private:
    struct Saved {
        char name[16] = {};
        bool present = false;
        DWORD type = 0;
        BYTE data[256] = {};
        DWORD size = 0;
    };
    Saved saved_[kStoredRecords];
};
