#include "panel/setup_recall.h"

#include <cstring>

#include "card/card_table.h"
#include "panel/card_panel.h"
#include "panel/panel_logic.h"

SetupLoadResult RecallSetup(const std::string& name) {
    SetupRecords setup;
    const SetupLoadResult loaded = LoadSetup(name, &setup);
    if (loaded.outcome != SetupLoad::Loaded) return loaded;
    for (int32_t c = 0; c < CardCount() && c < kPanelColumns; ++c)
        if (setup.present[c]) ApplyCardRecord(c, setup.records[c]);
    return loaded;
}

bool CardsMatchSetup(const std::string& name) {
    SetupRecords setup;
    if (LoadSetup(name, &setup).outcome != SetupLoad::Loaded) return false;
    for (int32_t c = 0; c < CardCount() && c < kPanelColumns; ++c) {
        if (!setup.present[c]) continue;
        // Both as a restore takes them: routing off is kept by no start,
        // resume or recall, so it is no part of a setup either, and a setup
        // saved while routing is off matches the cards it was saved from.
        const MixerSettings expected = RecordAsRestored(setup.records[c]);
        const MixerSettings current = RecordAsRestored(SettingsRecord(c));
        if (std::memcmp(&expected, &current, sizeof expected) != 0) return false;
    }
    return true;
}
