// Assembly of MIDI Time Code quarter-frame messages into a full time.
// A quarter-frame message is the status byte 0xF1 followed by one data byte
// 0nnndddd: piece n (0 to 7) carries nibble d of one of the four fields.
// Portable: no windows.h here.
#pragma once

#include <cstdint>

struct QuarterFrameTime {
    uint8_t frames = 0;
    uint8_t seconds = 0;
    uint8_t minutes = 0;
    uint8_t hours = 0;
};

// Applies one quarter-frame data byte to `time`. Returns true when the byte
// was piece 7, the last of the eight: the assembled time is then complete and
// due to be shown. A byte of 0x80 or above is not a data byte; it leaves
// `time` alone and returns false.
bool ApplyQuarterFrame(QuarterFrameTime& time, uint8_t dataByte);
