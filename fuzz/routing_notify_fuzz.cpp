// The driver's routing notifications with random fields, mixed with clicks
// on the routing toggles, against restored panels and simulated cards.
//
// Input: one byte (bits 0-3: the driver indices that answer), then steps.
// A step byte picks: a click on a column's routing-off toggle, a click on a
// routing toggle, or a notification, whose wParam and lParam are either
// taken whole from the input or built from small fields (column 0-4, state
// 0-2, set 0-4, row 0-5) so that valid and invalid ones both come often.
//
// Checked after every step: a notification returns 0; one that names no
// card, a set outside 0 to 3 or a row above 3 changes nothing at all
// (controls, records, cards); a valid one touches only its column, sets the
// digital input named by its set and leaves exactly the row the handler
// picks (row / 2 of its set) routed or not; and in every column the record
// holds values its handlers write, the routing toggles show the record while
// routing is on and nothing while it is off, and the card routes what the
// panel shows.
#include "fuzz_desk.h"
#include "panel/panel_logic.h"
#include "sim/sim_card.h"

namespace {

using fuzz::Desk;
using fuzz::Input;

struct CardWords {
    uint16_t words[4];
    uint32_t latched;
};

CardWords WordsOf(Desk& desk, int32_t c) {
    const SimCardState state = desk.driver.CardInColumn(c).State();
    CardWords words;
    std::memcpy(words.words, state.words, sizeof words.words);
    words.latched = state.wordsLatched;
    return words;
}

void CheckColumn(Desk& desk, int32_t c) {
    const CardPanel& p = *PanelAt(c);
    const MixerSettings& r = SettingsRecord(c);
    FUZZ_CHECK(fuzz::RecordInDomain(r));
    const bool off = desk.controls.Checked(p.routingOff);
    FUZZ_CHECK(r.routingOff == (off ? 1 : 0));
    for (int32_t row = 0; row < 4; ++row) {
        FUZZ_CHECK(desk.controls.Checked(p.routeA[row]) == (!off && r.routeA[row] == 1));
        FUZZ_CHECK(desk.controls.Checked(p.routeB[row]) == (!off && r.routeB[row] == 1));
    }
    const SimCardState card = desk.driver.CardInColumn(c).State();
    FUZZ_CHECK(card.serialErrors == 0);
    FUZZ_CHECK(card.routeA == (off ? -1 : fuzz::LowestRoutedRow(r.routeA)));
    FUZZ_CHECK(card.routeB == (off ? -1 : fuzz::LowestRoutedRow(r.routeB)));
    FUZZ_CHECK(desk.controls.Checked(p.coaxial) != desk.controls.Checked(p.optical));
    FUZZ_CHECK(card.digitalInputCoaxial == desk.controls.Checked(p.coaxial));
}

void Notify(Desk& desk, int32_t count, uint32_t wParam, uint32_t lParam) {
    const int32_t c = static_cast<int32_t>(lParam >> 16);
    const int32_t s = static_cast<int32_t>(lParam & 0xFFFF);
    const uint32_t g = wParam >> 16;
    const int32_t k = static_cast<int32_t>(wParam & 0xFFFF);
    const bool valid = c < count && g / 2 <= 1 && k <= 3;

    MixerSettings records[4];
    CardWords cards[4];
    for (int32_t i = 0; i < count; ++i) {
        records[i] = SettingsRecord(i);
        cards[i] = WordsOf(desk, i);
    }
    const size_t checksBefore = desk.controls.setChecks.size();
    const size_t positionsBefore = desk.controls.setPositions.size();
    bool rowBefore = false;
    bool off = false;
    if (valid) {
        const CardPanel& p = *PanelAt(c);
        const ControlHandle* set = g == 0 ? p.routeA : p.routeB;
        off = desk.controls.Checked(p.routingOff);
        // The handler first sets row k to s (only 0 and 1 take), then runs
        // the set's click on row k / 2 with the state that row then shows.
        rowBefore = desk.controls.Checked(set[k / 2]);
        if (k / 2 == k && (s == 0 || s == 1)) rowBefore = s == 1;
    }

    FUZZ_CHECK(OnRoutingNotify(wParam, lParam) == 0);

    for (int32_t i = 0; i < count; ++i) {
        if (valid && i == c) continue;
        FUZZ_CHECK(std::memcmp(&records[i], &SettingsRecord(i), sizeof(MixerSettings)) == 0);
        const CardWords now = WordsOf(desk, i);
        FUZZ_CHECK(now.latched == cards[i].latched);
    }
    if (!valid) {
        FUZZ_CHECK(desk.controls.setChecks.size() == checksBefore);
        FUZZ_CHECK(desk.controls.setPositions.size() == positionsBefore);
        return;
    }
    FUZZ_CHECK(fuzz::OnlyColumnTouched(desk.controls, c, checksBefore, positionsBefore));
    const MixerSettings& r = SettingsRecord(c);
    const int32_t* routed = g == 0 ? r.routeA : r.routeB;
    for (int32_t row = 0; row < 4; ++row) FUZZ_CHECK(routed[row] == (!off && row == k / 2 && rowBefore ? 1 : 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    const unsigned answering = input.Byte() & 0xF;
    Desk desk(answering);
    const int32_t count = desk.Open();
    for (int32_t c = 0; c < count; ++c) RestoreCardPanel(c);
    if (count == 0) {
        FUZZ_CHECK(OnRoutingNotify(input.Dword(), input.Dword()) == 0);
        return 0;
    }

    while (!input.empty()) {
        const uint8_t step = input.Byte();
        if (step < 24) {
            desk.controls.LeftClick(PanelAt(input.Byte() % count)->routingOff);
        } else if (step < 64) {
            const CardPanel& p = *PanelAt(input.Byte() % count);
            const uint8_t which = input.Byte();
            const ControlHandle toggle = (which & 4) ? p.routeB[which & 3] : p.routeA[which & 3];
            if (which & 8)
                desk.controls.RightClick(toggle);
            else
                desk.controls.LeftClick(toggle);
        } else if (step < 160) {
            const uint32_t c = input.Byte() % 5;
            const uint32_t s = input.Byte() % 3;
            const uint32_t g = input.Byte() % 5;
            const uint32_t k = input.Byte() % 6;
            Notify(desk, count, (g << 16) | k, (c << 16) | s);
        } else {
            const uint32_t wParam = input.Dword();
            Notify(desk, count, wParam, input.Dword());
        }
        for (int32_t c = 0; c < count; ++c) CheckColumn(desk, c);
    }
    return 0;
}
