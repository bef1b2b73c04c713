#include "settings/setups_store.h"

#include <algorithm>
#include <cstring>

#include "settings/setup_name.h"

namespace {

const char kSetupsKey[] = "Setups";

std::string SetupPath(const std::string& name) { return std::string(kSetupsKey) + "\\" + name; }

}  // namespace

std::vector<std::string> ListSetups() {
    std::vector<std::string> names;
    SettingsKey* key = CurrentSettingsKey();
    if (key == nullptr || !key->ListKeysBelow(kSetupsKey, &names)) return {};
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& name) { return SetupNameProblem(name) != nullptr; }),
                names.end());
    std::sort(names.begin(), names.end(), SetupNameBefore);
    return names;
}

std::string FindSetup(const std::string& name) {
    for (const std::string& stored : ListSetups())
        if (SameSetupName(stored, name)) return stored;
    return "";
}

SetupLoadResult LoadSetup(const std::string& name, SetupRecords* setup) {
    *setup = SetupRecords{};
    const std::string stored = FindSetup(name);
    if (stored.empty()) return {SetupLoad::Unknown, -1};
    SettingsKey* key = CurrentSettingsKey();
    for (int32_t c = 0; c < RecordCount(); ++c) {
        char valueName[24];
        RecordValueName(c, valueName);
        // One byte more than a record, so that a longer value is seen as such.
        uint8_t bytes[sizeof(MixerSettings) + 1];
        uint32_t size = sizeof bytes;
        uint32_t type = 0;
        if (!key->QueryBelow(SetupPath(stored), valueName, bytes, &size, &type)) {
            // Missing, or longer still: tell the two apart by asking for the size alone.
            uint32_t needed = 0;
            if (!key->QueryBelow(SetupPath(stored), valueName, nullptr, &needed, &type)) continue;
            return {SetupLoad::BadRecord, c};
        }
        if (type != kRegBinary || size != sizeof(MixerSettings)) return {SetupLoad::BadRecord, c};
        std::memcpy(&setup->records[c], bytes, sizeof(MixerSettings));
        setup->present[c] = true;
    }
    return {SetupLoad::Loaded, -1};
}

bool SaveSetup(const std::string& name) {
    SettingsKey* key = CurrentSettingsKey();
    if (key == nullptr || SetupNameProblem(name) != nullptr) return false;
    // Replaced whole: no record of a card that is gone since stays behind,
    // and the name takes the case it is given now.
    const std::string old = FindSetup(name);
    if (!old.empty() && !key->DeleteKeyBelow(SetupPath(old))) return false;
    for (int32_t c = 0; c < RecordCount(); ++c) {
        char valueName[24];
        RecordValueName(c, valueName);
        if (!key->SetBinaryBelow(SetupPath(name), valueName, &SettingsRecord(c), sizeof(MixerSettings))) {
            key->DeleteKeyBelow(SetupPath(name));
            return false;
        }
    }
    return true;
}

bool DeleteSetup(const std::string& name) {
    SettingsKey* key = CurrentSettingsKey();
    const std::string stored = FindSetup(name);
    return key != nullptr && !stored.empty() && key->DeleteKeyBelow(SetupPath(stored));
}
