// The settings store: one registry key holding a binary record per card and
// the driver's options. Portable: the registry itself sits behind
// SettingsKey, so the logic runs against an in-memory fake natively.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One card's settings, stored byte for byte as "Mixer2<column>".
struct MixerSettings {
    int32_t inputCoaxial;  // 0/1: the coaxial toggle lit (a click stores both slots as the pair shows)
    int32_t inputOptical;  // 0/1: the optical toggle lit
    int32_t fsMode;        // 0 = fs, 1 = 256 fs
    int32_t clockSource;   // 0 internal, 1 digital input, 2 word clock, 3 external unit
    int32_t showTimecode;  // always written 0
    int32_t routingOff;    // 0/1
    int32_t routeA[4];     // set A, rows 0..3; at most one is 1
    int32_t routeB[4];     // set B, rows 0..3
    int32_t autoRate;      // 0/1
    int32_t manualRate;    // 0 = 32000, 1 = 44100, 2 = 48000
    int32_t frameRate;     // 0 = 24, 1 = 25, 2 = 29.97, 3 = 30 drop, 4 = 30
};
static_assert(sizeof(MixerSettings) == 68, "the stored record is 17 slots, 68 bytes");

constexpr uint32_t kRegBinary = 3;  // REG_BINARY

// One record per card the desk can serve.
constexpr int32_t kSettingsRecords = 4;

// The program's registry key. Every call opens the key afresh, as the
// registry primitives do, so a key that appears or vanishes meanwhile is seen.
class SettingsKey {
public:
    virtual ~SettingsKey() = default;
    // Opens the key without creating it and queries `name` into `buffer` of
    // `*size` bytes. False when the key is missing or the query fails (a
    // stored value longer than the buffer fails). On success `*size` holds
    // the byte count stored and `*type` the value's type.
    virtual bool Query(const char* name, void* buffer, uint32_t* size, uint32_t* type) = 0;
    // Opens the key, creating it if missing, and sets `name` to `size` bytes
    // of REG_BINARY. False when the key cannot be opened or created, or the
    // value cannot be set.
    virtual bool SetBinary(const char* name, const void* data, uint32_t size) = 0;

    // Keys below this one, named by their path from it ("Setups\\Music").
    // Query and SetBinary on the key `path` below; SetBinaryBelow creates it
    // (and the keys on its way) when missing.
    virtual bool QueryBelow(const std::string& path, const char* name, void* buffer, uint32_t* size,
                            uint32_t* type) = 0;
    virtual bool SetBinaryBelow(const std::string& path, const char* name, const void* data, uint32_t size) = 0;
    // The names of the keys right below `path`; false when `path` is missing.
    virtual bool ListKeysBelow(const std::string& path, std::vector<std::string>* names) = 0;
    // Deletes the key `path` with its values; false when it is still there.
    virtual bool DeleteKeyBelow(const std::string& path) = 0;
    // Deletes the value `name` of the key `path`; false when it is still there.
    virtual bool DeleteValueBelow(const std::string& path, const char* name) = 0;
};

// The installed key (null before one is installed).
SettingsKey* CurrentSettingsKey();
// How many cards the records serve (the card table's count).
int32_t RecordCount();
// The name of a column's record, "Mixer2<column>".
void RecordValueName(int32_t column, char (&name)[24]);

void SetSettingsKey(SettingsKey* key);

// Reads binary value `name` into `destination`; falls back to `defaultData`
// for a missing key or value, another type, or a value longer than `size`.
// A shorter binary value fills only its own length. Returns the bytes placed.
uint32_t ReadSetting(const char* name, const void* defaultData, void* destination, uint32_t size);
void WriteSetting(const char* name, const void* data, uint32_t size);

MixerSettings& SettingsRecord(int32_t column);
// How many cards were found: the records of columns 0 to count - 1 are read,
// written and saved, the others never. The card table sets it as it finds
// the cards; 0 until then.
void SetRecordCount(int32_t count);
void LoadAllSettings();
void SaveAllSettings();
// Writes one column's record, as SaveAllSettings writes each.
void SaveSettingsRecord(int32_t column);
