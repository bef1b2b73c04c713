#include "sim/card_state_names.h"

#include <cstdio>

const char* DigitalInputName(bool coaxial) { return coaxial ? "coaxial" : "optical"; }

const char* FsModeName(int32_t mode) {
    switch (mode) {
    case 0: return "fs";
    case 1: return "256 fs";
    default: return "unknown";
    }
}

const char* ClockSourceName(int32_t source) {
    static const char* const kNames[] = {"internal", "digital input", "word clock", "external unit"};
    return source >= 0 && source < 4 ? kNames[source] : "unknown";
}

const char* OutputPairName(int32_t row) {
    static const char* const kNames[] = {"1-2", "3-4", "5-6", "7-8"};
    return row >= 0 && row < 4 ? kNames[row] : "none";
}

const char* FrameRateName(int32_t mode) {
    static const char* const kNames[] = {"24", "25", "29.97", "30 drop", "30"};
    return mode >= 0 && mode < 5 ? kNames[mode] : "none";
}

std::string FormatTimecode(const MtcTime& time) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d:%02d", static_cast<int>(time.hours),
                  static_cast<int>(time.minutes), static_cast<int>(time.seconds), static_cast<int>(time.frames));
    return text;
}
