// The control dispatcher with random types and values against a simulated
// card, its driver block guarded.
//
// Input: the upper and lower halves of the four control-word shadows (16
// bytes), the running flag, whether the unit is present, then operations of
// seven bytes: a type (two bytes, the whole 16 bits), a value (four bytes)
// and a byte whose low bit flips the running flag before the call.
//
// Checked after every call: the shadows' upper halves are as they started;
// every control word the card has latched equals its shadow's low half; the
// card saw no malformed serial frame; the driver's bytes, the notify window
// and the lock count are untouched; the sample rate changes only when the
// rate control asks for a different rate while the card runs, and the card
// then runs at it; each call latches the number of words and sends the
// number of unit bytes its type and value call for, and the bits and byte
// the table gives; types 4 to 6, types above 15 and values outside a type's
// list do nothing at all.
#include "card/card_registers.h"
#include "fuzz_desk.h"
#include "sim/sim_card.h"

namespace {

using fuzz::Input;

constexpr uint8_t kGuardByte = 0xA5;
constexpr uint32_t kNotifyGuard = 0x12345678u;
constexpr int32_t kLockGuard = 3;
constexpr int32_t kControlRates[] = {32000, 44100, 48000, 64000, 88200, 96000};

template <size_t N>
bool AllGuard(const uint8_t (&bytes)[N]) {
    for (uint8_t byte : bytes)
        if (byte != kGuardByte) return false;
    return true;
}

// What one call must do: words latched, unit bytes sent, and for some types
// the bits a word must show under a mask afterwards and the last unit byte.
struct Effect {
    uint32_t words = 0;
    uint32_t unitBytes = 0;
    int word = -1;
    uint16_t mask = 0;
    uint16_t bits = 0;
    int lastByte = -1;
};

uint8_t RateByte(int32_t rate) { return rate <= 32000 ? 0xC1 : rate <= 44100 ? 0xC2 : rate <= 48000 ? 0xC3 : 0xC4; }

Effect Expected(uint16_t type, uint32_t value, const SharedCardBlock& block) {
    const uint32_t v = value & 0xFFFF;
    Effect e;
    auto word = [&e](int address, uint16_t mask, uint16_t bits) {
        e.words = 1;
        e.word = address;
        e.mask = mask;
        e.bits = bits;
    };
    auto byte = [&e](uint32_t b) {
        e.unitBytes += 1;
        e.lastByte = static_cast<int>(b & 0xFF);
    };
    switch (type) {
    case 0:
        if (v == 0) word(0, 0x0400, 0x0000);
        if (v == 1) word(0, 0x0600, 0x0600);
        if (v == 2) word(0, 0x0600, 0x0400);
        break;
    case 1:
        if (v <= 1) word(0, 0x000C, v ? 0x000C : 0);
        break;
    case 2:
        if (v <= 3) word(0, 0x0180, static_cast<uint16_t>(v << 7));
        break;
    case 3: {
        const uint32_t l = v & 0xF, h = (v >> 4) & 0xF;
        const uint32_t low = l == 0xF ? 0 : (l | 4), high = h == 0xF ? 0 : (h | 4);
        word(2, 0x0077, static_cast<uint16_t>((low | (high << 4)) & 0x0077));
        break;
    }
    case 7:
        if (v < 6 && block.running != 0 && block.sampleRate != kControlRates[v]) {
            e.words = v < 3 ? 2 : 1;  // the three base rates also set the receiver's range
            byte(RateByte(kControlRates[v]));
        }
        break;
    case 8: byte(v == 1 ? 0xCB : 0xCA); break;
    case 9: byte(v != 0 ? 0xC9 : 0xC8); break;
    case 10:
        byte(0xB1 + value);
        word(3, 0x0010, static_cast<uint16_t>((value & 2) << 3));
        break;
    case 11:
        byte(0xB6 + value);
        word(3, 0x0020, static_cast<uint16_t>((value & 2) << 4));
        break;
    case 12: byte(v == 1 ? 0xB4 : 0xB5); break;
    case 13: byte(v == 1 ? 0xB9 : 0xBA); break;
    case 14: byte(v != 0 ? 0xC6 : 0xC5); break;
    case 15: word(1, 0x3030, static_cast<uint16_t>(((((value & 0xFF) << 8) | value) << 4) & 0x3030)); break;
    default: break;
    }
    return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    SimCard card;
    SharedCardBlock block;
    std::memset(&block, kGuardByte, sizeof block);
    uint32_t upper[4];
    for (int a = 0; a < 4; ++a) {
        upper[a] = static_cast<uint32_t>(input.Word()) << 16;
        block.controlShadow[a] = upper[a] | input.Word();
    }
    block.running = input.Byte() & 1;
    block.sampleRate = 0;
    block.notifyWindow = kNotifyGuard;
    block.unitLockCount = kLockGuard;
    const bool unitPresent = (input.Byte() & 1) != 0;
    card.SetUnitPresent(unitPresent);
    CardLink link{&block, &card};
    bool latched[4] = {};

    while (!input.empty()) {
        const uint16_t type = input.Word();
        const uint32_t value = input.Dword();
        if (input.Byte() & 1) block.running = block.running ? 0 : 1;

        const SimCardState before = card.State();
        const int32_t rateBefore = block.sampleRate;
        const Effect effect = Expected(type, value, block);

        SetCardControl(&link, type, value);

        const SimCardState after = card.State();
        FUZZ_CHECK(after.serialErrors == 0);
        FUZZ_CHECK(after.wordsLatched - before.wordsLatched == effect.words);
        FUZZ_CHECK(after.unit.bytesReceived - before.unit.bytesReceived == (unitPresent ? effect.unitBytes : 0));
        if (effect.word >= 0) {
            latched[effect.word] = true;
            FUZZ_CHECK((after.words[effect.word] & effect.mask) == effect.bits);
        }
        if (type == 7 && effect.words > 0) latched[0] = true;
        if (unitPresent && effect.lastByte >= 0)
            FUZZ_CHECK(after.unit.history[after.unit.historyCount - 1] == effect.lastByte);
        for (int a = 0; a < 4; ++a) {
            FUZZ_CHECK((block.controlShadow[a] & 0xFFFF0000u) == upper[a]);
            if (latched[a]) FUZZ_CHECK(after.words[a] == (block.controlShadow[a] & 0xFFFF));
        }
        if (type == 7 && effect.words > 0) {
            FUZZ_CHECK(block.sampleRate == kControlRates[value & 0xFFFF]);
            FUZZ_CHECK(after.sampleRate == block.sampleRate);
        } else {
            FUZZ_CHECK(block.sampleRate == rateBefore);
        }
        FUZZ_CHECK(AllGuard(block.driverPrivate0) && AllGuard(block.driverPrivate1));
        FUZZ_CHECK(AllGuard(block.driverPrivate2) && AllGuard(block.driverPrivate3));
        FUZZ_CHECK(block.registers == 0xA5A5A5A5u);
        FUZZ_CHECK(block.notifyWindow == kNotifyGuard && block.unitLockCount == kLockGuard);
        FUZZ_CHECK(block.running == 0 || block.running == 1);
    }
    return 0;
}
