#include "sim/sim_card.h"

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <ostream>
#include <utility>

#include "card/unit_link.h"
#include "sim/unit_commands.h"

// What the simulated card makes of its registers.
//
// Registers (byte offsets):
//   0x080 BridgeAddress  W   port in bits 0-15, cycle kind in bits 16-17 (3 read, 2 write)
//   0x088 BridgeData     W/R value for a write cycle / result of the last read cycle
//   0x0E0 SerialLines    W   0x10404040 | data 0x10 | clock 0x1000 | select 0x100000
//   0x100 BridgeControl  W/R 0x00020002 runs the cycle; bit 0x2 reads 1 once done
//   0x110 BridgeStatus   R   bit 0x00080000 while busy
// Anything else reads 0 and ignores writes.
//
// Serial bus: on each rising clock edge the data line is shifted into the
// address register while select is low, into the data register while select
// is high. Select falling while the clock stays high latches the data into
// control word <address>, provided exactly 4 address and 16 data bits came in
// and the address is 0..3; any other frame is dropped and counted.
//
// Control words, as this card reads them:
//   word 0  0x000C  fs mode: 0 = fs, 0x000C = 256 fs
//           0x0030  base rate: 0 = 32000, 0x10 = 44100, 0x20 = 48000
//           0x0040  double rate (64000, 88200, 96000)
//           0x1000  half rate (16000, 22050, 24000)
//           0x0180  clock source: 0 internal, 0x80 digital input, 0x100 word clock, 0x180 unit
//           0x0200  digital input connector: 1 coaxial, 0 optical
//           0x0C00  digital receiver's rate range (0x400 32 kHz, 0 44.1 kHz, 0x800 48 kHz),
//                   also switched with the input; not decoded
//   word 1  0x0030  word-clock output 1 source 0..3
//           0x3000  word-clock output 2 source 0..3
//   word 2  0x0007  routing set A: 0x4 routes row (bits 0-1); without 0x4 no row
//           0x0070  routing set B, the same shifted by 4
//   word 3  0x0010  card output feeds the unit's input A
//           0x0020  card output feeds the unit's input B
//
// Unit port (bridge ports): 0x378 data latch, 0x379 status (0x80 ready),
// 0x37A control; bit 0 of control falling (0x17 then 0x16) hands the data
// latch to the unit.
//
// Unit command bytes:
//   0xF8 x5                lock            0xFF 0xF5 x5   unlock
//   0xE8 f s m h 0xEE M    start at h:m:s:f in mode M (0xE3 24, 0xE2 25, 0xE4 29.97,
//                          0xE1 30 drop, 0xE0 30)
//   0xEF                   stop
//   0xC1..0xC4             rate range (<= 32000, 44100, 48000, higher)
//   0xB1..0xB3 / 0xB6..0xB8  input source A / B: 0 analog, 1 digital, 2 card (a source
//                          of 3 would send 0xB4 / 0xB9, which are the level bytes)
//   0xB4 / 0xB5            input A level high / low
//   0xB9 / 0xBA            input B level high / low
//   0xC6 / 0xC5            outputs muted / playing
//   0xC9 / 0xC8            MIDI thru on / off
//   0xCB / 0xCA            word-clock termination on / off

namespace {

constexpr uint32_t kBridgeAddressReg = 0x080;
constexpr uint32_t kBridgeDataReg = 0x088;
constexpr uint32_t kSerialLinesReg = 0x0E0;
constexpr uint32_t kBridgeControlReg = 0x100;
constexpr uint32_t kBridgeStatusReg = 0x110;

constexpr uint32_t kLinesBase = 0x10404040;
constexpr uint32_t kDataLine = 0x00000010;
constexpr uint32_t kClockLine = 0x00001000;
constexpr uint32_t kSelectLine = 0x00100000;

constexpr uint32_t kBridgeStart = 0x00020002;
constexpr uint32_t kBridgeDone = 0x00000002;
constexpr uint32_t kBridgeBusy = 0x00080000;

constexpr uint32_t kDataPort = 0x378;
constexpr uint32_t kStatusPort = 0x379;
constexpr uint32_t kControlPort = 0x37A;
constexpr uint32_t kReady = 0x80;

// The unit's two inputs: three bytes from `firstByte` choose a source each
// (0 analog, 1 digital, 2 card).
struct UnitSource {
    uint8_t firstByte;
    int32_t SimUnitState::*state;
    const char* input;
};
constexpr int32_t kUnitSourceChoices = 3;
constexpr UnitSource kUnitSources[] = {
    {0xB1, &SimUnitState::inputSourceA, "A"},
    {0xB6, &SimUnitState::inputSourceB, "B"},
};

// The unit's on/off settings: each has its byte for on and its byte for off.
struct UnitSwitch {
    uint8_t onByte;
    uint8_t offByte;
    int32_t SimUnitState::*state;
    const char* what;  // in the trace: "unit <what> <on or off text>"
    const char* onText;
    const char* offText;
};
constexpr UnitSwitch kUnitSwitches[] = {
    {0xB4, 0xB5, &SimUnitState::highLevelA, "input A level", "high", "low"},
    {0xB9, 0xBA, &SimUnitState::highLevelB, "input B level", "high", "low"},
    {0xC6, 0xC5, &SimUnitState::outputMute, "outputs", "muted", "playing"},
    {0xC9, 0xC8, &SimUnitState::midiThru, "MIDI thru", "on", "off"},
    {0xCB, 0xCA, &SimUnitState::wordClockTermination, "word-clock termination", "on", "off"},
};

class SteadyClock : public MillisecondClock {
public:
    uint32_t Now() override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
};

int32_t RateFromWord0(uint16_t word) {
    static const int32_t kBaseRates[] = {32000, 44100, 48000, 0};
    const int32_t base = kBaseRates[(word >> 4) & 3];
    const bool half = (word & 0x1000) != 0;
    const bool twice = (word & 0x0040) != 0;
    if (half && twice) return 0;
    if (half) return base / 2;
    if (twice) return base * 2;
    return base;
}

}  // namespace

// What the card's circuits hold: everything a power cut takes back to its
// power-on value.
struct SimCardCircuits {
    // Serial bus.
    enum class Phase { Idle, Address, Data };
    uint32_t lines = kLinesBase | kSelectLine | kClockLine;
    Phase phase = Phase::Idle;
    uint32_t addressShift = 0;
    int addressBits = 0;
    uint32_t dataShift = 0;
    int dataBits = 0;

    // Bridge and port.
    uint32_t bridgeAddress = 0;
    uint32_t bridgeDataOut = 0;
    uint32_t bridgeDataIn = 0;
    bool bridgeDone = false;
    uint8_t dataLatch = 0;
    uint8_t portControl = 0;

    // Unit command decoding.
    int lockRun = 0;
    int unlockRun = 0;    // bytes of the 0xFF 0xF5 pattern in a row
    int startField = -1;  // -1: not in a start; 0..3 fields; 4 wants 0xEE; 5 wants the mode
    int32_t startFields[4] = {};
    uint32_t generatorStartMs = 0;
};

struct SimCard::Impl : SimCardCircuits {
    int32_t column = 0;
    std::FILE* traceFile = nullptr;
    std::ostream* traceStream = nullptr;
    bool bridgeStuck = false;
    SteadyClock steadyClock;
    MillisecondClock* clock = &steadyClock;
    std::function<void()> onGeneratorStart;

    SimCardState state;

    bool Tracing() const { return traceFile != nullptr || traceStream != nullptr; }
    void TraceLine(const char* line);
    void Event(const char* format, ...);
    void TraceAccess(char kind, uint32_t offset, uint32_t value);

    uint32_t Read(uint32_t offset);
    void Write(uint32_t offset, uint32_t value);
    void SerialWrite(uint32_t value);
    void RunBridgeCycle();
    uint32_t PortRead(uint32_t port);
    void PortWrite(uint32_t port, uint32_t value);
    void UnitReceive(uint8_t byte);
    void UnitCommand(uint8_t byte);
    void RefreshGenerator(SimUnitState& unit) const;
    void LosePower();
};

void SimCard::Impl::TraceLine(const char* line) {
    if (traceFile != nullptr) {
        std::fputs(line, traceFile);
        std::fputc('\n', traceFile);
        std::fflush(traceFile);
    }
    if (traceStream != nullptr) {
        *traceStream << line << '\n';
        traceStream->flush();
    }
}

void SimCard::Impl::Event(const char* format, ...) {
    if (!Tracing()) return;
    char text[160];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    char line[192];
    std::snprintf(line, sizeof line, "%d # %s", static_cast<int>(column), text);
    TraceLine(line);
}

void SimCard::Impl::TraceAccess(char kind, uint32_t offset, uint32_t value) {
    if (!Tracing()) return;
    char line[64];
    std::snprintf(line, sizeof line, "%d %c 0x%03x 0x%08x", static_cast<int>(column), kind,
                  static_cast<unsigned>(offset), static_cast<unsigned>(value));
    TraceLine(line);
}

uint32_t SimCard::Impl::Read(uint32_t offset) {
    uint32_t value = 0;
    switch (offset) {
    case kBridgeControlReg: value = (bridgeDone && !bridgeStuck) ? kBridgeDone : 0; break;
    case kBridgeStatusReg: value = bridgeStuck ? kBridgeBusy : 0; break;
    case kBridgeDataReg: value = bridgeDataIn; break;
    default: break;
    }
    TraceAccess('R', offset, value);
    return value;
}

void SimCard::Impl::Write(uint32_t offset, uint32_t value) {
    TraceAccess('W', offset, value);
    switch (offset) {
    case kSerialLinesReg: SerialWrite(value); break;
    case kBridgeAddressReg: bridgeAddress = value; break;
    case kBridgeDataReg: bridgeDataOut = value; break;
    case kBridgeControlReg:
        if (value == kBridgeStart)
            RunBridgeCycle();
        else
            Event("bridge control 0x%08x ignored", static_cast<unsigned>(value));
        break;
    default: Event("no register at 0x%03x", static_cast<unsigned>(offset)); break;
    }
}

void SimCard::Impl::SerialWrite(uint32_t value) {
    const uint32_t lineBits = kDataLine | kClockLine | kSelectLine;
    if ((value & ~lineBits) != kLinesBase) {
        ++state.serialErrors;
        Event("serial lines 0x%08x malformed", static_cast<unsigned>(value));
        return;
    }
    const bool wasClock = (lines & kClockLine) != 0;
    const bool wasSelect = (lines & kSelectLine) != 0;
    const bool clock = (value & kClockLine) != 0;
    const bool select = (value & kSelectLine) != 0;
    const uint32_t bit = (value & kDataLine) ? 1 : 0;
    lines = value;

    if (!wasClock && clock) {
        if (!select) {
            if (phase != Phase::Address) {
                phase = Phase::Address;
                addressShift = 0;
                addressBits = 0;
            }
            addressShift = ((addressShift << 1) | bit) & 0xF;
            ++addressBits;
        } else {
            if (phase != Phase::Data) {
                if (phase != Phase::Address) addressBits = 0;  // data with no address before it
                phase = Phase::Data;
                dataShift = 0;
                dataBits = 0;
            }
            dataShift = ((dataShift << 1) | bit) & 0xFFFF;
            ++dataBits;
        }
        return;
    }
    if (wasSelect && !select && wasClock && clock) {
        if (phase == Phase::Data && addressBits == 4 && dataBits == 16 && addressShift < 4) {
            state.words[addressShift] = static_cast<uint16_t>(dataShift);
            ++state.wordsLatched;
            Event("word %u = 0x%04x", static_cast<unsigned>(addressShift), static_cast<unsigned>(dataShift));
        } else {
            ++state.serialErrors;
            Event("serial frame dropped (%d address bits = %u, %d data bits)", addressBits,
                  static_cast<unsigned>(addressShift), dataBits);
        }
        phase = Phase::Idle;
    }
}

void SimCard::Impl::RunBridgeCycle() {
    bridgeDone = false;
    if (bridgeStuck) return;
    const uint32_t kind = (bridgeAddress >> 16) & 3;
    const uint32_t port = bridgeAddress & 0xFFFF;
    if (kind == 3)
        bridgeDataIn = PortRead(port);
    else if (kind == 2)
        PortWrite(port, bridgeDataOut & 0xFFFF);
    else
        Event("bridge cycle of kind %u ignored", static_cast<unsigned>(kind));
    bridgeDone = true;
}

uint32_t SimCard::Impl::PortRead(uint32_t port) {
    switch (port) {
    case kDataPort: return dataLatch;
    case kStatusPort: return state.unit.present ? kReady : 0;
    case kControlPort: return portControl;
    default: Event("port 0x%04x not decoded", static_cast<unsigned>(port)); return 0xFF;
    }
}

void SimCard::Impl::PortWrite(uint32_t port, uint32_t value) {
    switch (port) {
    case kDataPort: dataLatch = static_cast<uint8_t>(value); break;
    case kControlPort: {
        const bool strobeFalls = (portControl & 1) && !(value & 1);
        portControl = static_cast<uint8_t>(value);
        if (strobeFalls && state.unit.present) UnitReceive(dataLatch);
        break;
    }
    default: Event("port 0x%04x not decoded", static_cast<unsigned>(port)); break;
    }
}

void SimCard::Impl::UnitReceive(uint8_t byte) {
    SimUnitState& unit = state.unit;
    Event("unit byte 0x%02x", static_cast<unsigned>(byte));
    ++unit.bytesReceived;
    if (unit.historyCount == SimUnitState::kHistorySize) {
        for (int i = 1; i < SimUnitState::kHistorySize; ++i) unit.history[i - 1] = unit.history[i];
        --unit.historyCount;
    }
    unit.history[unit.historyCount++] = byte;

    // Inside a start, bytes are its fields whatever their value.
    if (startField >= 0 && startField < 4) {
        startFields[startField++] = byte;
        return;
    }
    if (startField == 4) {
        if (byte == unit_command::kCloseStart) {
            startField = 5;
            return;
        }
        Event("unit start broken off");
        startField = -1;
    } else if (startField == 5) {
        startField = -1;
        if (unit_command::IsModeByte(byte)) {
            unit.generatorRunning = true;
            unit.frameRateMode = unit_command::ModeOfByte(byte);
            unit.startTime = {startFields[3], startFields[2], startFields[1], startFields[0]};
            unit.currentTime = AddFrames(unit.startTime, 0, unit.frameRateMode);
            unit.elapsedMs = 0;
            ++unit.startCount;
            generatorStartMs = clock->Now();
            Event("unit start %02d:%02d:%02d:%02d mode %d", startFields[3], startFields[2], startFields[1],
                  startFields[0], unit.frameRateMode);
            if (onGeneratorStart) onGeneratorStart();
            return;
        }
        Event("unit start broken off");
    }
    UnitCommand(byte);
}

void SimCard::Impl::UnitCommand(uint8_t byte) {
    SimUnitState& unit = state.unit;

    using namespace unit_command;
    lockRun = byte == kLock ? lockRun + 1 : 0;
    const uint8_t unlockWanted = (unlockRun % 2 == 0) ? kUnlockFirst : kUnlockSecond;
    unlockRun = byte == unlockWanted ? unlockRun + 1 : (byte == kUnlockFirst ? 1 : 0);
    if (lockRun == kSequenceRepeats) {
        lockRun = 0;
        unit.locked = true;
        Event("unit lock");
        return;
    }
    if (unlockRun == 2 * kSequenceRepeats) {
        unlockRun = 0;
        unit.locked = false;
        Event("unit unlock");
        return;
    }

    switch (byte) {
    case kOpenStart: startField = 0; return;
    case kStop:
        RefreshGenerator(unit);
        unit.generatorRunning = false;
        Event("unit stop");
        return;
    case 0xC1:
    case 0xC2:
    case 0xC3:
    case 0xC4:
        unit.lastRateByte = byte;
        Event("unit rate 0x%02x", static_cast<unsigned>(byte));
        return;
    default: break;
    }
    for (const UnitSource& source : kUnitSources) {
        const int32_t choice = byte - source.firstByte;
        if (choice < 0 || choice >= kUnitSourceChoices) continue;
        unit.*source.state = choice;
        Event("unit input %s source %d", source.input, choice);
        return;
    }
    for (const UnitSwitch& setting : kUnitSwitches) {
        if (byte != setting.onByte && byte != setting.offByte) continue;
        const bool on = byte == setting.onByte;
        unit.*setting.state = on;
        Event("unit %s %s", setting.what, on ? setting.onText : setting.offText);
        return;
    }
    // Anything else: lock and unlock bytes on their way, or nothing the unit knows.
}

// Brings the running generator's elapsed time and current time up to now.
void SimCard::Impl::RefreshGenerator(SimUnitState& unit) const {
    if (!unit.generatorRunning) return;
    unit.elapsedMs = clock->Now() - generatorStartMs;
    unit.currentTime = AddFrames(unit.startTime, FramesElapsed(unit.elapsedMs, unit.frameRateMode), unit.frameRateMode);
}

// The card and its unit as at power-on: control words 0, the bus, bridge and
// port idle, the unit unlocked with its generator stopped and nothing set.
// What is wired stays (the unit plugged in or not, a stuck bridge), and so
// does what the simulation counts (words latched, serial errors, bytes and
// starts received, the unit's byte history).
void SimCard::Impl::LosePower() {
    static_cast<SimCardCircuits&>(*this) = SimCardCircuits{};
    for (uint16_t& word : state.words) word = 0;
    const SimUnitState before = state.unit;
    SimUnitState& unit = state.unit;
    unit = SimUnitState{};
    unit.present = before.present;
    unit.startCount = before.startCount;
    std::copy(before.history, before.history + SimUnitState::kHistorySize, unit.history);
    unit.historyCount = before.historyCount;
    unit.bytesReceived = before.bytesReceived;
    Event("power lost");
}

SimCard::SimCard() : impl_(new Impl) {}
SimCard::~SimCard() = default;

uint32_t SimCard::Read(uint32_t offset) {
    SimLockGuard guard(lock_);
    return impl_->Read(offset);
}

void SimCard::Write(uint32_t offset, uint32_t value) {
    SimLockGuard guard(lock_);
    impl_->Write(offset, value);
}

void SimCard::SetColumn(int32_t column) {
    SimLockGuard guard(lock_);
    impl_->column = column;
}

int32_t SimCard::Column() const {
    SimLockGuard guard(lock_);
    return impl_->column;
}

void SimCard::SetTrace(std::FILE* file) {
    SimLockGuard guard(lock_);
    impl_->traceFile = file;
}

void SimCard::SetTrace(std::ostream* stream) {
    SimLockGuard guard(lock_);
    impl_->traceStream = stream;
}

void SimCard::SetGeneratorStartListener(std::function<void()> listener) {
    SimLockGuard guard(lock_);
    impl_->onGeneratorStart = std::move(listener);
}

void SimCard::SetUnitPresent(bool present) {
    SimLockGuard guard(lock_);
    impl_->state.unit.present = present;
}

void SimCard::SetBridgeStuck(bool stuck) {
    SimLockGuard guard(lock_);
    impl_->bridgeStuck = stuck;
}

void SimCard::SetClock(MillisecondClock* clock) {
    SimLockGuard guard(lock_);
    impl_->clock = clock != nullptr ? clock : &impl_->steadyClock;
}

void SimCard::LosePower() {
    SimLockGuard guard(lock_);
    impl_->LosePower();
}

SimCardState SimCard::State() const {
    SimLockGuard guard(lock_);
    SimCardState state = impl_->state;
    impl_->RefreshGenerator(state.unit);

    const uint16_t* words = state.words;
    const uint32_t fsBits = words[0] & 0x000C;
    state.fsMode = fsBits == 0 ? 0 : fsBits == 0x000C ? 1 : -1;
    state.sampleRate = RateFromWord0(words[0]);
    state.clockSource = (words[0] >> 7) & 3;
    state.digitalInputCoaxial = (words[0] & 0x0200) != 0;
    state.wordClockOutput[0] = (words[1] >> 4) & 3;
    state.wordClockOutput[1] = (words[1] >> 12) & 3;
    state.routeA = (words[2] & 0x04) ? (words[2] & 3) : -1;
    state.routeB = (words[2] & 0x40) ? ((words[2] >> 4) & 3) : -1;
    state.routingOff = state.routeA < 0 && state.routeB < 0;
    state.unitFeedA = (words[3] & 0x10) != 0;
    state.unitFeedB = (words[3] & 0x20) != 0;
    return state;
}
