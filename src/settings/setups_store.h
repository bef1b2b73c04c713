// Named setups: the records of every card present, stored under a name in
// the key "Setups\<name>" below the settings key, one value per card named
// as the card's own record ("Mixer20" to "Mixer23"). Portable: the registry
// sits behind the installed SettingsKey, as for the records themselves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings_store.h"

// The stored setups' names, as they were saved, alphabetically without
// case. Keys under "Setups" whose names no setup may have are left out.
std::vector<std::string> ListSetups();

// The stored name of the setup that `name` names (case aside), or "".
std::string FindSetup(const std::string& name);

// A setup's records for the cards found: present[c] when it holds one for
// column c. Records for columns without a card are left aside.
struct SetupRecords {
    bool present[kSettingsRecords] = {};
    MixerSettings records[kSettingsRecords] = {};
};

enum class SetupLoad { Loaded, Unknown, BadRecord };

struct SetupLoadResult {
    SetupLoad outcome;
    int32_t badColumn;  // with BadRecord: the first column whose record is unusable
};

// Reads the setup `name` for the cards found. A record that is not a
// REG_BINARY value of exactly one record's size is unusable, and then the
// whole setup is: nothing of it may be applied.
SetupLoadResult LoadSetup(const std::string& name, SetupRecords* setup);

enum class SetupSave {
    Stored,
    NotStored,  // not stored, and nothing said of what is
    OldKept,    // not stored; the setup it was to replace is as it was
};

// Stores the records of the cards found as the setup `name`, replacing the
// records of one of that name (case aside), which keeps its name as stored.
// A setup stored whole, or nothing of it.
SetupSave SaveSetup(const std::string& name);

// The same for the records `setup` holds, whatever cards are found: a record
// for each column it holds, and none for the others.
SetupSave StoreSetup(const std::string& name, const SetupRecords& setup);

// Every record the setup `name` holds, whatever cards are found; unusable[c]
// when column c's value is not a record. False for an unknown setup.
struct StoredSetup {
    std::string name;  // as stored
    SetupRecords cards;
    bool unusable[kSettingsRecords] = {};
};
bool ReadStoredSetup(const std::string& name, StoredSetup* setup);

// Makes the setup hold again what ReadStoredSetup read of it (a value that
// was not a record comes back as an empty one, unusable as well), column by
// column, carrying on past a column that fails: false when any did.
bool PutSetupBack(const StoredSetup& before);

// False when the setup is still there.
bool DeleteSetup(const std::string& name);
