#include "settings/setups_store.h"

#include <algorithm>
#include <cstring>

#include "settings/setup_name.h"

namespace {

const char kSetupsKey[] = "Setups";

std::string SetupPath(const std::string& name) { return std::string(kSetupsKey) + "\\" + name; }

// What a setup holds for a column.
enum class Held { Nothing, Record, Unusable };

Held ReadHeld(const std::string& path, int32_t column, MixerSettings* record) {
    SettingsKey* key = CurrentSettingsKey();
    char valueName[24];
    RecordValueName(column, valueName);
    // One byte more than a record, so that a longer value is seen as such.
    uint8_t bytes[sizeof(MixerSettings) + 1];
    uint32_t size = sizeof bytes;
    uint32_t type = 0;
    if (!key->QueryBelow(path, valueName, bytes, &size, &type)) {
        // Missing, or longer still: tell the two apart by asking for the size alone.
        uint32_t needed = 0;
        return key->QueryBelow(path, valueName, nullptr, &needed, &type) ? Held::Unusable : Held::Nothing;
    }
    if (type != kRegBinary || size != sizeof(MixerSettings)) return Held::Unusable;
    std::memcpy(record, bytes, sizeof(MixerSettings));
    return Held::Record;
}

// Makes the setup hold `held` for a column. An unusable value cannot be
// written back as it was; an empty one stands for it, unusable as well.
bool PutHeld(const std::string& path, int32_t column, Held held, const MixerSettings& record) {
    SettingsKey* key = CurrentSettingsKey();
    char valueName[24];
    RecordValueName(column, valueName);
    switch (held) {
    case Held::Nothing: return key->DeleteValueBelow(path, valueName);
    case Held::Record: return key->SetBinaryBelow(path, valueName, &record, sizeof record);
    case Held::Unusable: break;
    }
    return key->SetBinaryBelow(path, valueName, &record, 0);
}

// Makes the setup at `path` hold `held` again for columns 0 to `count` - 1,
// carrying on past a column that fails; false when any did.
bool PutBack(const std::string& path, const Held (&held)[kSettingsRecords],
             const MixerSettings (&kept)[kSettingsRecords], int32_t count) {
    bool whole = true;
    for (int32_t c = 0; c < count; ++c) whole = PutHeld(path, c, held[c], kept[c]) && whole;
    return whole;
}

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
    for (int32_t c = 0; c < RecordCount(); ++c) {
        const Held held = ReadHeld(SetupPath(stored), c, &setup->records[c]);
        if (held == Held::Unusable) return {SetupLoad::BadRecord, c};
        setup->present[c] = held == Held::Record;
    }
    return {SetupLoad::Loaded, -1};
}

SetupSave SaveSetup(const std::string& name) {
    SetupRecords current;
    for (int32_t c = 0; c < RecordCount(); ++c) {
        current.present[c] = true;
        current.records[c] = SettingsRecord(c);
    }
    return StoreSetup(name, current);
}

SetupSave StoreSetup(const std::string& name, const SetupRecords& setup) {
    SettingsKey* key = CurrentSettingsKey();
    if (key == nullptr || SetupNameProblem(name) != nullptr) return SetupSave::NotStored;
    // A setup of that name (case aside) is replaced in place, keeping its
    // name: column by column, the record `setup` holds is written over the
    // old one, or the old one deleted where it holds none. Until the last
    // step succeeds the old records can be put back.
    const std::string old = FindSetup(name);
    const std::string path = SetupPath(old.empty() ? name : old);
    Held held[kSettingsRecords] = {};
    MixerSettings kept[kSettingsRecords] = {};
    for (int32_t c = 0; c < kSettingsRecords && !old.empty(); ++c) held[c] = ReadHeld(path, c, &kept[c]);
    for (int32_t c = 0; c < kSettingsRecords; ++c) {
        if (PutHeld(path, c, setup.present[c] ? Held::Record : Held::Nothing, setup.records[c])) continue;
        if (old.empty()) {
            key->DeleteKeyBelow(path);
            return SetupSave::NotStored;
        }
        return PutBack(path, held, kept, c) ? SetupSave::OldKept : SetupSave::NotStored;
    }
    return SetupSave::Stored;
}

bool ReadStoredSetup(const std::string& name, StoredSetup* setup) {
    *setup = StoredSetup{};
    const std::string stored = FindSetup(name);
    if (stored.empty()) return false;
    setup->name = stored;
    for (int32_t c = 0; c < kSettingsRecords; ++c) {
        const Held held = ReadHeld(SetupPath(stored), c, &setup->cards.records[c]);
        setup->cards.present[c] = held == Held::Record;
        setup->unusable[c] = held == Held::Unusable;
    }
    return true;
}

bool PutSetupBack(const StoredSetup& before) {
    Held held[kSettingsRecords] = {};
    for (int32_t c = 0; c < kSettingsRecords; ++c)
        held[c] = before.unusable[c] ? Held::Unusable : before.cards.present[c] ? Held::Record : Held::Nothing;
    return PutBack(SetupPath(before.name), held, before.cards.records, kSettingsRecords);
}

bool DeleteSetup(const std::string& name) {
    SettingsKey* key = CurrentSettingsKey();
    const std::string stored = FindSetup(name);
    return key != nullptr && !stored.empty() && key->DeleteKeyBelow(SetupPath(stored));
}
