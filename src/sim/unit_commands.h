// The command bytes the simulated external unit understands, shared by the
// card that decodes them and the log that names them. Kept apart from the
// desk's own constants on purpose: the simulator checks what the desk sends
// against this independent reading of the unit.
#pragma once

#include <cstdint>

namespace unit_command {

constexpr uint8_t kLock = 0xF8;         // five in a row lock the unit
constexpr uint8_t kUnlockFirst = 0xFF;  // five 0xFF 0xF5 pairs unlock it
constexpr uint8_t kUnlockSecond = 0xF5;
constexpr int kSequenceRepeats = 5;

constexpr uint8_t kOpenStart = 0xE8;   // then frames, seconds, minutes, hours
constexpr uint8_t kCloseStart = 0xEE;  // then the mode byte
constexpr uint8_t kStop = 0xEF;

constexpr uint8_t kFirstModeByte = 0xE0;
constexpr uint8_t kLastModeByte = 0xE4;
// Mode bytes 0xE0..0xE4 to frame-rate modes (0 = 24, 1 = 25, 2 = 29.97,
// 3 = 30 drop, 4 = 30).
constexpr int32_t kModeOfByte[] = {4, 3, 1, 0, 2};

inline bool IsModeByte(uint8_t byte) { return byte >= kFirstModeByte && byte <= kLastModeByte; }
inline int32_t ModeOfByte(uint8_t byte) { return kModeOfByte[byte - kFirstModeByte]; }

}  // namespace unit_command
