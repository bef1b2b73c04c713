// The card's register protocol: plain register access, the serial control
// words with their shadows, the port bridge to the external unit with its
// byte handshake, the sample-rate table and the control dispatcher.
#pragma once

#include <cstdint>

#include "card/card_types.h"

constexpr uint32_t kBridgeAddress = 0x80;
constexpr uint32_t kBridgeData = 0x88;
constexpr uint32_t kSerialLines = 0xE0;
constexpr uint32_t kBridgeControl = 0x100;
constexpr uint32_t kBridgeStatus = 0x110;

constexpr uint16_t UnitPortBase = 0x378;

// The control dispatcher's types (SetCardControl). The panel sends the first
// five; the rest are the dispatcher's further vocabulary, named by what the
// external unit or the card does with them. Types 4 to 6 and above 15 are
// no control.
enum CardControlType : uint16_t {
    kControlDigitalInput = 0,          // 1 coaxial, 2 optical
    kControlFsMode = 1,                // 0 fs, 1 256 fs
    kControlClockSource = 2,           // 0 internal, 1 digital input, 2 word clock, 3 unit
    kControlRouting = 3,               // the routing byte: set A's row, set B's in the high nibble
    kControlSampleRate = 7,            // 0..5: 32000, 44100, 48000, 64000, 88200, 96000
    kControlWordClockTermination = 8,  // unit byte 0xCB (1) / 0xCA
    kControlMidiThru = 9,              // unit byte 0xC9 (non-zero) / 0xC8
    kControlUnitInputA = 10,           // unit byte 0xB1 + V, then control word 3 bit 0x10
    kControlUnitInputB = 11,           // unit byte 0xB6 + V, then control word 3 bit 0x20
    kControlUnitLevelA = 12,           // unit byte 0xB4 (1) / 0xB5
    kControlUnitLevelB = 13,           // unit byte 0xB9 (1) / 0xBA
    kControlUnitMute = 14,             // unit byte 0xC6 (non-zero) / 0xC5
    kControlWordClockOutputs = 15,     // control word 1 under 0x3030
};

uint32_t ReadCardRegister(CardLink* link, uint32_t offset);
void WriteCardRegister(CardLink* link, uint32_t offset, uint32_t value);
void WriteControlWord(CardLink* link, uint32_t address, uint32_t mask, uint32_t bits);
uint32_t ReadUnitPort(CardLink* link, uint16_t port);
void WriteUnitPort(CardLink* link, uint16_t port, uint16_t value);
// 0 when the unit reported ready, 1 when the wait ran out.
int32_t WaitUnitReady(CardLink* link);
void SendUnitByte(CardLink* link, uint32_t byte);
void SetSampleRate(CardLink* link, int32_t rate);
void SetCardControl(CardLink* link, uint16_t type, uint32_t value);
