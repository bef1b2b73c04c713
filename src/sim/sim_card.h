// A simulated card with its external unit, standing in for the register
// window of a real card. It decodes what the desk writes: control words off
// the serial lines, bridge cycles to the unit's parallel port, and the
// unit's command bytes. Every access and every decoded event can be traced,
// one line each, as
//     <column> W|R 0x<offset> 0x<value>      e.g. "0 W 0x0e0 0x10505040"
//     <column> # <event>                     e.g. "0 # word 0 = 0x0400"
// Portable. All members are safe to call from any thread.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <iosfwd>
#include <memory>

#include "card/register_space.h"
#include "sim/mtc_generator.h"
#include "sim/sim_lock.h"

class MillisecondClock;

// What the external unit holds.
struct SimUnitState {
    bool present = true;
    bool locked = false;  // after a lock sequence, until an unlock sequence
    bool generatorRunning = false;
    int32_t frameRateMode = -1;  // 0..4 from the last start's mode byte; -1 before any start since power-on
    MtcTime startTime;           // as loaded by the last start
    MtcTime currentTime;         // the generator's time at the snapshot; held at a stop
    uint32_t elapsedMs = 0;      // since the last start; held at a stop
    uint32_t startCount = 0;     // starts received so far, a power cut included; a restart changes it
    int32_t lastRateByte = -1;   // 0xC1..0xC4, -1 before any
    // Settings taken from the desk's other command bytes; -1 before any.
    int32_t inputSourceA = -1;          // 0xB1 + n: 0 analog, 1 digital, 2 card
    int32_t inputSourceB = -1;          // 0xB6 + n: 0 analog, 1 digital, 2 card
    int32_t highLevelA = -1;            // 0xB4 = 1 (+4 dBu), 0xB5 = 0 (-10 dBV)
    int32_t highLevelB = -1;            // 0xB9 = 1, 0xBA = 0
    int32_t outputMute = -1;            // 0xC6 = 1, 0xC5 = 0
    int32_t midiThru = -1;              // 0xC9 = 1, 0xC8 = 0
    int32_t wordClockTermination = -1;  // 0xCB = 1, 0xCA = 0
    // The last bytes received, oldest first.
    static constexpr int kHistorySize = 32;
    uint8_t history[kHistorySize] = {};
    int32_t historyCount = 0;  // valid entries in `history`
    uint32_t bytesReceived = 0;
};

// The card's settings as its control words say, plus the unit.
struct SimCardState {
    uint16_t words[4] = {};            // control words 0..3 as the card latched them
    uint32_t wordsLatched = 0;         // complete control words received
    uint32_t serialErrors = 0;         // malformed line writes and frames not latched
    bool digitalInputCoaxial = false;  // false: optical
    int32_t fsMode = 0;                // 0 = fs, 1 = 256 fs, -1 = bits not a setting the desk makes
    int32_t clockSource = 0;           // 0 internal, 1 digital input, 2 word clock, 3 external unit
    int32_t routeA = -1;               // routed row 0..3 of set A, or -1 for none
    int32_t routeB = -1;
    bool routingOff = true;  // neither set routes a row
    int32_t sampleRate = 0;  // Hz from word 0; 0 when the bits name no rate
    bool unitFeedA = false;  // word 3: card output feeds the unit's input A
    bool unitFeedB = false;
    int32_t wordClockOutput[2] = {};  // word 1: source of word-clock outputs 1 and 2
    SimUnitState unit;
};

class SimCard : public RegisterSpace {
public:
    SimCard();
    ~SimCard() override;
    SimCard(const SimCard&) = delete;
    SimCard& operator=(const SimCard&) = delete;

    uint32_t Read(uint32_t offset) override;
    void Write(uint32_t offset, uint32_t value) override;

    // The column printed at the start of every trace line.
    void SetColumn(int32_t column);
    int32_t Column() const;
    // Trace sinks; null turns that sink off. Each line is flushed.
    void SetTrace(std::FILE* file);
    void SetTrace(std::ostream* stream);

    // Faults: an absent unit never reports ready and receives nothing; a
    // stuck bridge never completes a cycle and stays busy.
    void SetUnitPresent(bool present);
    void SetBridgeStuck(bool stuck);

    // The clock the unit's generator runs on; null restores the steady clock.
    // The clock must outlive the card.
    void SetClock(MillisecondClock* clock);

    // Called each time the unit's generator is started, on the thread that
    // sent the start, with the card locked: the listener must not call back
    // into the card. Empty: nobody is told.
    void SetGeneratorStartListener(std::function<void()> listener);

    // A power cut, as a standby of the machine makes one: the card and its
    // unit go back to their power-on state and the trace says "power lost".
    // The driver's block is the driver's memory and is not touched.
    void LosePower();

    SimCardState State() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    mutable SimLock lock_;
};
