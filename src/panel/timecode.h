// The timecode row of a card's column: the external unit's generator (start
// toggle and frame-rate toggles) and the display of incoming MIDI Time Code
// in the four digit fields. Portable: no windows.h here.
#pragma once

#include <cstdint>

void OnGeneratorStart(int32_t c);
void OnFrameRate(int32_t c, int32_t member);  // 0 = 24, 1 = 25, 2 = 29.97, 3 = 30 drop, 4 = 30

// The unit lost power and its generator stopped: the start toggle shows it
// stopped, nothing is sent, and the column is as after this desk's own stop,
// so timecode bytes posted before the power went cannot check the toggle
// again. The unit is unlocked: its lock count goes to 0, whoever locked it.
void OnGeneratorPowerLost(int32_t c);

// One byte of incoming MIDI Time Code: LOBYTE(wParam) is the byte,
// LOWORD(lParam) the column. Returns 0.
int32_t OnTimecodeByte(uint32_t wParam, uint32_t lParam);
