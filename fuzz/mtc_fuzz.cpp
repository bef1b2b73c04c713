// MIDI Time Code byte streams for random columns through the handler of the
// driver's timecode message.
//
// Input: one byte (bits 0-3: the driver indices that answer), then messages
// of eight bytes each: wParam and lParam, little-endian. Every third message
// is aimed at a column with a card (lParam's low word taken modulo 4), so
// that streams reach the display as well as the columns that do not exist.
//
// Checked against a model of quarter-frame assembly: the handler returns 0;
// a message for a column without a card, or any byte before the first 0xF1,
// touches no control; once armed, every byte but 0xF1 shows the column's
// start toggle checked (checking it only when it was not), every eighth
// piece shows the assembled time in the four fields (frames, seconds,
// minutes, hours, in that order) and no other byte changes a field; no
// control of another column is touched; the card and its unit hear nothing.
#include "fuzz_desk.h"
#include "sim/sim_card.h"

namespace {

using fuzz::Desk;
using fuzz::Input;

struct ModelTime {
    uint8_t frames = 0, seconds = 0, minutes = 0, hours = 0;
};

// Returns true for piece 7, when the time is shown.
bool ApplyPiece(ModelTime& time, uint8_t byte) {
    const uint8_t d = byte & 0x0F;
    switch (byte >> 4) {
    case 0: time.frames = d; break;
    case 1: time.frames = static_cast<uint8_t>((time.frames & 0x1F) | ((d & 1) << 4)); break;
    case 2: time.seconds = d; break;
    case 3: time.seconds = static_cast<uint8_t>((time.seconds & 0x3F) | ((d & 3) << 4)); break;
    case 4: time.minutes = d; break;
    case 5: time.minutes = static_cast<uint8_t>((time.minutes & 0x3F) | ((d & 3) << 4)); break;
    case 6: time.hours = d; break;
    default: time.hours = static_cast<uint8_t>((time.hours & 0x1F) | ((d & 1) << 4)); return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    const unsigned answering = input.Byte() & 0xF;
    Desk desk(answering);
    const int32_t count = desk.Open();

    bool armed = false;
    ModelTime model[4];
    for (int message = 0; !input.empty(); ++message) {
        const uint32_t wParam = input.Dword();
        uint32_t lParam = input.Dword();
        if (message % 3 == 2) lParam = (lParam & 0xFFFF0000u) | ((lParam & 0xFFFF) % 4);
        const uint8_t byte = static_cast<uint8_t>(wParam & 0xFF);
        const int32_t c = static_cast<int32_t>(lParam & 0xFFFF);

        const size_t checksBefore = desk.controls.setChecks.size();
        const size_t positionsBefore = desk.controls.setPositions.size();
        const bool startWasChecked = c < count && desk.controls.Checked(PanelAt(c)->start);

        FUZZ_CHECK(OnTimecodeByte(wParam, lParam) == 0);

        const size_t newChecks = desk.controls.setChecks.size() - checksBefore;
        const size_t newPositions = desk.controls.setPositions.size() - positionsBefore;
        if (c >= count) {
            FUZZ_CHECK(newChecks == 0 && newPositions == 0);
            continue;
        }
        if (byte == 0xF1) {
            armed = true;
            FUZZ_CHECK(newChecks == 0 && newPositions == 0);
            continue;
        }
        if (!armed) {
            FUZZ_CHECK(newChecks == 0 && newPositions == 0);
            continue;
        }
        const CardPanel& panel = *PanelAt(c);
        FUZZ_CHECK(desk.controls.Checked(panel.start));
        FUZZ_CHECK(newChecks == (startWasChecked ? 0u : 1u));
        if (newChecks == 1) FUZZ_CHECK(desk.controls.setChecks.back().first == panel.start);
        if (byte >= 0x80) {
            FUZZ_CHECK(newPositions == 0);
            continue;
        }
        if (!ApplyPiece(model[c], byte)) {
            FUZZ_CHECK(newPositions == 0);
            continue;
        }
        FUZZ_CHECK(newPositions == 4);
        const auto* shown = &desk.controls.setPositions[positionsBefore];
        FUZZ_CHECK(shown[0].first == panel.frames && shown[0].second == model[c].frames);
        FUZZ_CHECK(shown[1].first == panel.seconds && shown[1].second == model[c].seconds);
        FUZZ_CHECK(shown[2].first == panel.minutes && shown[2].second == model[c].minutes);
        FUZZ_CHECK(shown[3].first == panel.hours && shown[3].second == model[c].hours);
    }

    // Incoming timecode is display only: nothing reaches a card or its unit.
    for (int32_t c = 0; c < count; ++c) {
        const SimCardState card = desk.driver.CardInColumn(c).State();
        FUZZ_CHECK(card.wordsLatched == 0 && card.unit.bytesReceived == 0);
        FUZZ_CHECK(desk.driver.BlockInColumn(c).unitLockCount == 0);
    }
    return 0;
}
