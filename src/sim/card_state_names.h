// The words the simulated desk uses for a card's settings, shared by the
// text form of a card's state and the card monitor. Portable.
#pragma once

#include <cstdint>
#include <string>

#include "sim/mtc_generator.h"

// "coaxial" or "optical".
const char* DigitalInputName(bool coaxial);
// 0 "fs", 1 "256 fs", anything else "unknown".
const char* FsModeName(int32_t mode);
// 0 "internal", 1 "digital input", 2 "word clock", 3 "external unit".
const char* ClockSourceName(int32_t source);
// Row 0..3: "1-2", "3-4", "5-6", "7-8"; anything else "none".
const char* OutputPairName(int32_t row);
// Mode 0..4: "24", "25", "29.97", "30 drop", "30"; anything else "none".
const char* FrameRateName(int32_t mode);
// "hh:mm:ss:ff".
std::string FormatTimecode(const MtcTime& time);
