// Stored records of any length, type and content: loaded at start, restored
// into the panels and sent to the simulated cards, then saved again.
//
// Input: one byte of set-up (bits 0-3: the driver indices that answer; bit
// 4: the key is missing; bit 5: the key cannot be created), then for each of
// "Mixer20" to "Mixer23": a kind byte (0 missing, 1 binary, 2 REG_DWORD, 3 a
// type taken from the next byte), a length byte and that many bytes.
//
// Checked: a record comes from its value exactly when the value is binary
// and at most 68 bytes long (a shorter one fills only its length), else it is
// the default; values of columns without a card are never read or written.
// After the restore every record holds values its handlers can write, the
// panel shows exactly the record, the card is set as the record says, only
// the column's own controls were touched, the generator was not started, and
// saving writes each record back whole.
#include "desk_test_hooks.h"
#include "fuzz_desk.h"
#include "panel/panel_logic.h"
#include "sim/sim_card.h"

namespace {

using fuzz::Desk;
using fuzz::Input;

constexpr int kColumns = 4;

struct StoredValue {
    bool present = false;
    uint32_t type = 0;
    std::vector<uint8_t> bytes;
};

const char* const kNames[kColumns] = {"Mixer20", "Mixer21", "Mixer22", "Mixer23"};

bool Checked(Desk& desk, ControlHandle toggle) { return desk.controls.Checked(toggle); }

// The record a column must hold after loading.
MixerSettings Expected(const StoredValue& value, bool keyPresent) {
    MixerSettings record;
    if (keyPresent && value.present && value.type == kRegBinary && value.bytes.size() <= sizeof record) {
        std::memset(&record, 0, sizeof record);  // records are zero at start
        if (!value.bytes.empty()) std::memcpy(&record, value.bytes.data(), value.bytes.size());
        return record;
    }
    return kDefaultRecord;
}

void CheckPanelShowsRecord(Desk& desk, int32_t c) {
    const CardPanel& p = *PanelAt(c);
    const MixerSettings& r = SettingsRecord(c);
    FUZZ_CHECK(Checked(desk, p.coaxial) != Checked(desk, p.optical));
    FUZZ_CHECK(Checked(desk, p.fs) == (r.fsMode == 0));
    FUZZ_CHECK(Checked(desk, p.fs256) == (r.fsMode == 1));
    const ControlHandle clocks[] = {p.internalClock, p.digitalInClock, p.wordClock, p.unitClock};
    for (int32_t i = 0; i < 4; ++i) FUZZ_CHECK(Checked(desk, clocks[i]) == (r.clockSource == i));
    FUZZ_CHECK(!Checked(desk, p.routingOff));
    for (int32_t row = 0; row < 4; ++row) {
        FUZZ_CHECK(Checked(desk, p.routeA[row]) == (r.routeA[row] == 1));
        FUZZ_CHECK(Checked(desk, p.routeB[row]) == (r.routeB[row] == 1));
    }
    FUZZ_CHECK(Checked(desk, p.autoRate) == (r.autoRate == 1));
    for (int32_t i = 0; i < 3; ++i) FUZZ_CHECK(Checked(desk, p.rate[i]) == (r.autoRate == 0 && r.manualRate == i));
    for (int32_t i = 0; i < 5; ++i) FUZZ_CHECK(Checked(desk, p.frameRate[i]) == (r.frameRate == i));
    FUZZ_CHECK(!Checked(desk, p.start));
    FUZZ_CHECK(!Checked(desk, p.showHide));
}

void CheckCardFollowsRecord(Desk& desk, int32_t c) {
    const MixerSettings& r = SettingsRecord(c);
    const SimCardState card = desk.driver.CardInColumn(c).State();
    const SharedCardBlock& block = desk.driver.BlockInColumn(c);
    FUZZ_CHECK(card.serialErrors == 0);
    FUZZ_CHECK(card.digitalInputCoaxial == Checked(desk, PanelAt(c)->coaxial));
    FUZZ_CHECK(card.fsMode == r.fsMode);
    FUZZ_CHECK(card.clockSource == r.clockSource);
    FUZZ_CHECK(card.routeA == fuzz::LowestRoutedRow(r.routeA));
    FUZZ_CHECK(card.routeB == fuzz::LowestRoutedRow(r.routeB));
    if (r.autoRate == 0) FUZZ_CHECK(card.sampleRate == fuzz::kManualRates[r.manualRate]);
    FUZZ_CHECK(block.running == r.autoRate);
    FUZZ_CHECK(block.unitLockCount == 0);
    FUZZ_CHECK(!card.unit.locked && !card.unit.generatorRunning);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    const uint8_t setup = input.Byte();
    const unsigned answering = setup & 0xF;
    const bool keyPresent = (setup & 0x10) == 0;
    const bool canCreate = (setup & 0x20) == 0;

    StoredValue stored[kColumns];
    for (StoredValue& value : stored) {
        const uint8_t kind = input.Byte() % 4;
        const uint8_t length = input.Byte();
        if (kind == 0) continue;
        value.present = true;
        value.type = kind == 1 ? kRegBinary : kind == 2 ? kRegDword : input.Byte();
        value.bytes = input.Bytes(length);
    }

    Desk desk(answering);
    desk.key.canCreate = canCreate;
    if (keyPresent) {
        desk.key.keyExists = true;
        for (int i = 0; i < kColumns; ++i)
            if (stored[i].present) desk.key.Put(kNames[i], stored[i].type, stored[i].bytes);
    }
    const std::map<std::string, FakeSettingsKey::Value> before = desk.key.values;

    const int32_t count = desk.Open();
    FUZZ_CHECK(count == __builtin_popcount(answering));
    FUZZ_CHECK(desk.key.queries == count);
    for (int32_t c = 0; c < count; ++c) {
        const MixerSettings expected = Expected(stored[c], keyPresent);
        FUZZ_CHECK(std::memcmp(&SettingsRecord(c), &expected, sizeof expected) == 0);
    }

    for (int32_t c = 0; c < count; ++c) {
        const size_t firstCheck = desk.controls.setChecks.size();
        const size_t firstPosition = desk.controls.setPositions.size();
        RestoreCardPanel(c);
        FUZZ_CHECK(fuzz::OnlyColumnTouched(desk.controls, c, firstCheck, firstPosition));
        FUZZ_CHECK(fuzz::RecordInDomain(SettingsRecord(c)));
        FUZZ_CHECK(SettingsRecord(c).routingOff == 0);
        CheckPanelShowsRecord(desk, c);
        CheckCardFollowsRecord(desk, c);
    }

    const int writesBefore = desk.key.writes;
    SaveAllSettings();
    if (!keyPresent && !canCreate) {
        FUZZ_CHECK(desk.key.writes == writesBefore);
        FUZZ_CHECK(desk.key.values.empty());
        return 0;
    }
    FUZZ_CHECK(desk.key.writes == writesBefore + count);
    for (int32_t c = 0; c < kColumns; ++c) {
        auto found = desk.key.values.find(kNames[c]);
        if (c < count) {
            FUZZ_CHECK(found != desk.key.values.end());
            FUZZ_CHECK(found->second.type == kRegBinary);
            FUZZ_CHECK(found->second.bytes.size() == sizeof(MixerSettings));
            FUZZ_CHECK(std::memcmp(found->second.bytes.data(), &SettingsRecord(c), sizeof(MixerSettings)) == 0);
        } else {
            // Never read, never written: exactly as it was stored.
            auto old = before.find(kNames[c]);
            FUZZ_CHECK((found == desk.key.values.end()) == (old == before.end()));
            if (found != desk.key.values.end())
                FUZZ_CHECK(found->second.type == old->second.type && found->second.bytes == old->second.bytes);
        }
    }
    return 0;
}
