#include "settings/settings_store.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

SettingsKey* settingsKey = nullptr;
MixerSettings records[kSettingsRecords];
int32_t recordCount = 0;  // the cards found: records 0 to count - 1 are in use

// Every slot 0 but set A's row 1: fs, internal clock, routing on with set A
// on the second output pair, 32000 Hz by hand, 24 frames.
const MixerSettings kDefaultRecord = {
    0, 0, 0, 0, 0, 0, {0, 1, 0, 0}, {0, 0, 0, 0}, 0, 0, 0,
};

}  // namespace

void RecordValueName(int32_t column, char (&name)[24]) {
    std::snprintf(name, sizeof name, "Mixer2%d", static_cast<int>(column));
}

SettingsKey* CurrentSettingsKey() { return settingsKey; }

int32_t RecordCount() { return recordCount; }

void SetSettingsKey(SettingsKey* key) { settingsKey = key; }

uint32_t ReadSetting(const char* name, const void* defaultData, void* destination, uint32_t size) {
    if (settingsKey != nullptr) {
        // Query into a scratch buffer: a value of the wrong type is still
        // copied out by the registry, and the caller's default may be the
        // destination itself, so nothing may land there unless it is used.
        std::vector<uint8_t> scratch(size);
        uint32_t bytes = size;
        uint32_t type = 0;
        if (settingsKey->Query(name, scratch.data(), &bytes, &type) && type == kRegBinary && bytes <= size) {
            std::memcpy(destination, scratch.data(), bytes);
            return bytes;
        }
    }
    // memmove: the default and the destination may be the same buffer.
    std::memmove(destination, defaultData, size);
    return size;
}

void WriteSetting(const char* name, const void* data, uint32_t size) {
    if (settingsKey != nullptr) settingsKey->SetBinary(name, data, size);
}

MixerSettings& SettingsRecord(int32_t column) { return records[column]; }

void SetRecordCount(int32_t count) {
    recordCount = count < 0 ? 0 : count > kSettingsRecords ? kSettingsRecords : count;
}

void LoadAllSettings() {
    for (int32_t i = 0; i < recordCount; ++i) {
        char name[24];
        RecordValueName(i, name);
        ReadSetting(name, &kDefaultRecord, &records[i], sizeof(MixerSettings));
    }
}

void SaveAllSettings() {
    for (int32_t i = 0; i < recordCount; ++i) SaveSettingsRecord(i);
}

void SaveSettingsRecord(int32_t column) {
    if (column < 0 || column >= recordCount) return;
    char name[24];
    RecordValueName(column, name);
    WriteSetting(name, &records[column], sizeof(MixerSettings));
}

void ResetSettingsRecordsForTest() { std::memset(records, 0, sizeof records); }
