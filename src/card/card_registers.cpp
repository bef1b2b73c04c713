#include "card/card_registers.h"

#include "card/register_space.h"

namespace {

// SerialLines: every write is this constant with any of the three line bits.
constexpr uint32_t kLinesBase = 0x10404040;
constexpr uint32_t kDataLine = 0x00000010;
constexpr uint32_t kClockLine = 0x00001000;
constexpr uint32_t kSelectLine = 0x00100000;
constexpr uint32_t kLinesIdle = kLinesBase | kSelectLine | kClockLine;

constexpr uint32_t kBridgeReadCycle = 0x00030000;
constexpr uint32_t kBridgeWriteCycle = 0x00020000;
constexpr uint32_t kBridgeStart = 0x00020002;
constexpr uint32_t kBridgeDone = 0x00000002;
constexpr uint32_t kBridgeBusy = 0x00080000;
constexpr uint32_t kBridgeDonePolls = 0x10000;
constexpr uint32_t kBridgeBusyPolls = 0x1000;

constexpr uint16_t kUnitStatusPort = UnitPortBase + 1;
constexpr uint16_t kUnitControlPort = UnitPortBase + 2;
constexpr uint32_t kUnitReady = 0x80;
constexpr int kUnitReadyPolls = 256;
// Control-port values around the strobe; bit 0 is the strobe line.
constexpr uint16_t kStrobeIdle = 0x16;
constexpr uint16_t kStrobeActive = 0x17;

// Shifts one bit out: clock low, then clock high, the other lines held.
void ShiftBit(CardLink* link, uint32_t select, bool bit) {
    const uint32_t lines = kLinesBase | select | (bit ? kDataLine : 0);
    WriteCardRegister(link, kSerialLines, lines);
    WriteCardRegister(link, kSerialLines, lines | kClockLine);
}

// Both bridge waits. Running out of either bound counts as done.
void WaitBridgeCycle(CardLink* link) {
    for (uint32_t i = 0; i < kBridgeDonePolls; ++i)
        if (ReadCardRegister(link, kBridgeControl) & kBridgeDone) break;
    for (uint32_t i = 0; i < kBridgeBusyPolls; ++i)
        if (!(ReadCardRegister(link, kBridgeStatus) & kBridgeBusy)) break;
}

struct SampleRateRow {
    int32_t rate;
    uint16_t rateBits;  // control word 0 under kRateMask
    uint8_t unitByte;
    bool hasRangeBits;
    uint16_t rangeBits;  // control word 0 under kRangeMask, when present
};
constexpr uint32_t kRateMask = 0x1870;
constexpr uint32_t kRangeMask = 0x0C00;
constexpr SampleRateRow kSampleRateRows[] = {
    {16000, 0x1000, 0xC1, false, 0},     {22050, 0x1010, 0xC1, false, 0},     {24000, 0x1020, 0xC1, false, 0},
    {32000, 0x0000, 0xC1, true, 0x0400}, {44100, 0x0010, 0xC2, true, 0x0000}, {48000, 0x0020, 0xC3, true, 0x0800},
    {64000, 0x0840, 0xC4, false, 0},     {88200, 0x0850, 0xC4, false, 0},     {96000, 0x0860, 0xC4, false, 0},
};
constexpr int kFallbackRow = 4;  // 44100, for requests above the table

const SampleRateRow& RowForRate(int32_t rate) {
    for (const SampleRateRow& row : kSampleRateRows)
        if (row.rate >= rate) return row;
    return kSampleRateRows[kFallbackRow];
}

// One nibble of the routing value: 0xF routes no row, anything else is
// sent with the enable bit 0x4.
uint32_t RoutingNibble(uint32_t nibble) { return nibble == 0xF ? 0 : (nibble | 4); }

// The rates the rate control's values 0..5 select.
constexpr int32_t kRateControlRates[] = {32000, 44100, 48000, 64000, 88200, 96000};

// The digital-input control's values 0..2: mask and bits of control word 0.
struct WordChange {
    uint16_t mask;
    uint16_t bits;
};
constexpr WordChange kDigitalInputChanges[] = {{0x0400, 0x0000}, {0x0600, 0x0600}, {0x0600, 0x0400}};
constexpr uint16_t kFsModeBits[] = {0x0000, 0x000C};
constexpr uint16_t kClockSourceBits[] = {0x0000, 0x0080, 0x0100, 0x0180};

}  // namespace

uint32_t ReadCardRegister(CardLink* link, uint32_t offset) { return link->registers->Read(offset & ~3u); }

void WriteCardRegister(CardLink* link, uint32_t offset, uint32_t value) { link->registers->Write(offset & ~3u, value); }

void WriteControlWord(CardLink* link, uint32_t address, uint32_t mask, uint32_t bits) {
    address &= 0xFFFF;
    mask &= 0xFFFF;
    bits &= 0xFFFF;
    uint32_t& shadow = link->block->controlShadow[address & 3];
    // ~mask over 32 bits keeps the shadow's upper half as it was.
    const uint32_t word = (shadow & ~mask) | bits;
    shadow = word;

    WriteCardRegister(link, kSerialLines, kLinesIdle);
    for (int bit = 3; bit >= 0; --bit) ShiftBit(link, 0, (address >> bit) & 1);
    WriteCardRegister(link, kSerialLines, kLinesIdle);
    for (int bit = 15; bit >= 0; --bit) ShiftBit(link, kSelectLine, (word >> bit) & 1);
    // Select pulses low with the clock high: the card latches the word.
    WriteCardRegister(link, kSerialLines, kLinesBase | kClockLine);
    WriteCardRegister(link, kSerialLines, kLinesIdle);
}

uint32_t ReadUnitPort(CardLink* link, uint16_t port) {
    WriteCardRegister(link, kBridgeAddress, port | kBridgeReadCycle);
    WriteCardRegister(link, kBridgeControl, kBridgeStart);
    WaitBridgeCycle(link);
    return ReadCardRegister(link, kBridgeData);
}

void WriteUnitPort(CardLink* link, uint16_t port, uint16_t value) {
    WriteCardRegister(link, kBridgeAddress, port | kBridgeWriteCycle);
    WriteCardRegister(link, kBridgeData, value);
    WriteCardRegister(link, kBridgeControl, kBridgeStart);
    WaitBridgeCycle(link);
}

int32_t WaitUnitReady(CardLink* link) {
    for (int i = 0; i < kUnitReadyPolls; ++i)
        if (ReadUnitPort(link, kUnitStatusPort) & kUnitReady) return 0;
    return 1;
}

void SendUnitByte(CardLink* link, uint32_t byte) {
    WaitUnitReady(link);  // a unit that never gets ready still gets the byte
    WriteUnitPort(link, UnitPortBase, static_cast<uint16_t>(byte & 0xFF));
    WriteUnitPort(link, kUnitControlPort, kStrobeIdle);
    WriteUnitPort(link, kUnitControlPort, kStrobeActive);
    WriteUnitPort(link, kUnitControlPort, kStrobeIdle);
}

void SetSampleRate(CardLink* link, int32_t rate) {
    SharedCardBlock* block = link->block;
    if (block->running == 0) return;
    if (block->sampleRate == rate) return;
    block->sampleRate = rate;

    const SampleRateRow& row = RowForRate(rate);
    WriteControlWord(link, 0, kRateMask, row.rateBits);
    SendUnitByte(link, row.unitByte);
    if (row.hasRangeBits) WriteControlWord(link, 0, kRangeMask, row.rangeBits);
}

void SetCardControl(CardLink* link, uint16_t type, uint32_t value) {
    const uint32_t v = value & 0xFFFF;
    switch (type) {
    case kControlDigitalInput:  // 0 off, 1 coaxial, 2 optical
        if (v < 3) WriteControlWord(link, 0, kDigitalInputChanges[v].mask, kDigitalInputChanges[v].bits);
        break;
    case kControlFsMode:
        if (v < 2) WriteControlWord(link, 0, 0x000C, kFsModeBits[v]);
        break;
    case kControlClockSource:
        if (v < 4) WriteControlWord(link, 0, 0x0180, kClockSourceBits[v]);
        break;
    case kControlRouting:  // low nibble set A's row, next nibble set B's; 0xF = none
        WriteControlWord(link, 2, 0x0077, RoutingNibble(v & 0xF) | (RoutingNibble((v >> 4) & 0xF) << 4));
        break;
    case kControlSampleRate:
        if (v < 6) SetSampleRate(link, kRateControlRates[v]);
        break;
    case kControlWordClockTermination: SendUnitByte(link, v == 1 ? 0xCB : 0xCA); break;
    case kControlMidiThru: SendUnitByte(link, v != 0 ? 0xC9 : 0xC8); break;
    case kControlUnitInputA:
        SendUnitByte(link, 0xB1 + value);
        WriteControlWord(link, 3, 0x0010, (value & 2) << 3);
        break;
    case kControlUnitInputB:
        SendUnitByte(link, 0xB6 + value);
        WriteControlWord(link, 3, 0x0020, (value & 2) << 4);
        break;
    case kControlUnitLevelA: SendUnitByte(link, v == 1 ? 0xB4 : 0xB5); break;
    case kControlUnitLevelB: SendUnitByte(link, v == 1 ? 0xB9 : 0xBA); break;
    case kControlUnitMute: SendUnitByte(link, v != 0 ? 0xC6 : 0xC5); break;
    case kControlWordClockOutputs:
        WriteControlWord(link, 1, 0x3030, ((((value & 0xFF) << 8) | value) << 4) & 0xFFFF);
        break;
    default:  // 4, 5, 6 and above 15 are not controls
        break;
    }
}
