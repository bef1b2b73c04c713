// The card panel's logic: a click on a toggle becomes a card setting and a
// change of the card's settings record; a panel is restored from its record;
// the driver's routing notifications are followed. Portable: no windows.h.
#pragma once

#include <cstdint>

#include "app/settings_store.h"

// Card control types sent by the panel.
constexpr uint16_t kControlDigitalInput = 0;  // 1 coaxial, 2 optical
constexpr uint16_t kControlFsMode = 1;        // 0 fs, 1 256 fs
constexpr uint16_t kControlClockSource = 2;   // 0..3
constexpr uint16_t kControlRouting = 3;       // the routing byte
constexpr uint16_t kControlSampleRate = 7;    // 0 32000, 1 44100, 2 48000

// Handles a WM_COMMAND from a panel control: the column comes from the id's
// top bits, the handler from its low twelve bits. Returns 0.
int32_t RoutePanelCommand(void* window, uint32_t wParam, uint32_t lParam);

void OnDigitalInput(int32_t c, int32_t member);
void OnFsMode(int32_t c, int32_t member);
void OnClockSource(int32_t c, int32_t member);
void OnShowHide(void* window, int32_t c);
void OnSampleRate(int32_t c, int32_t member);  // 0..2 a rate, 3 auto
void OnRoutingA(int32_t c, int32_t row);
void OnRoutingB(int32_t c, int32_t row);
void OnRoutingOff(int32_t c);

// Low nibble: routed row of set A (0xF for none); high nibble: set B's.
uint8_t ComputeRoutingByte(const MixerSettings& record);

// Sets a freshly built panel (every toggle unchecked) from its record and
// sends the record's settings to the card.
void RestoreCardPanel(int32_t c);

// The driver's routing notification. Returns 0.
int32_t OnRoutingNotify(uint32_t wParam, uint32_t lParam);
