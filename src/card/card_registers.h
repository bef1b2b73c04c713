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
