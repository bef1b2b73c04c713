#include "panel/quarter_frame.h"

bool ApplyQuarterFrame(QuarterFrameTime& time, uint8_t dataByte) {
    if (dataByte >= 0x80) {
        return false;
    }
    const unsigned piece = dataByte >> 4;
    const unsigned nibble = dataByte & 0x0Fu;
    // Even pieces start a field from its low nibble; odd pieces add the high
    // bits, keeping only the bits the low nibble and the field's width allow.
    switch (piece) {
    case 0:
        time.frames = static_cast<uint8_t>(nibble);
        break;
    case 1:
        time.frames = static_cast<uint8_t>((time.frames & 0x1Fu) | ((nibble & 1u) << 4));
        break;
    case 2:
        time.seconds = static_cast<uint8_t>(nibble);
        break;
    case 3:
        time.seconds = static_cast<uint8_t>((time.seconds & 0x3Fu) | ((nibble & 3u) << 4));
        break;
    case 4:
        time.minutes = static_cast<uint8_t>(nibble);
        break;
    case 5:
        time.minutes = static_cast<uint8_t>((time.minutes & 0x3Fu) | ((nibble & 3u) << 4));
        break;
    case 6:
        time.hours = static_cast<uint8_t>(nibble);
        break;
    default:  // piece 7; its rate bits (1 and 2) are not used
        time.hours = static_cast<uint8_t>((time.hours & 0x1Fu) | ((nibble & 1u) << 4));
        return true;
    }
    return false;
}
