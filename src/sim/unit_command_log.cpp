#include "sim/unit_command_log.h"

#include <cstdio>

#include "sim/card_state_names.h"
#include "sim/unit_commands.h"

namespace {

using namespace unit_command;

constexpr int kStartFields = 4;

std::string Hex(uint8_t byte) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(byte));
    return text;
}

// The name of a command that is one byte long, or empty when the unit has
// no such command.
std::string SingleByteCommand(uint8_t byte) {
    static const char* const kSources[] = {"analog", "digital", "card"};
    switch (byte) {
    case kStop: return "stop";
    case 0xC1: return "rate 32 kHz and below";
    case 0xC2: return "rate 44.1 kHz";
    case 0xC3: return "rate 48 kHz";
    case 0xC4: return "rate above 48 kHz";
    case 0xB1:
    case 0xB2:
    case 0xB3: return std::string("input A from ") + kSources[byte - 0xB1];
    case 0xB6:
    case 0xB7:
    case 0xB8: return std::string("input B from ") + kSources[byte - 0xB6];
    case 0xB4: return "input A level +4 dBu";
    case 0xB5: return "input A level -10 dBV";
    case 0xB9: return "input B level +4 dBu";
    case 0xBA: return "input B level -10 dBV";
    case 0xC5: return "outputs playing";
    case 0xC6: return "outputs muted";
    case 0xC8: return "MIDI thru off";
    case 0xC9: return "MIDI thru on";
    case 0xCA: return "word-clock termination off";
    case 0xCB: return "word-clock termination on";
    default: return std::string();
    }
}

class Reader {
public:
    Reader(const uint8_t* bytes, int count) : bytes_(bytes), count_(count < 0 ? 0 : count) {}

    std::vector<UnitCommandEntry> ReadAll() {
        while (next_ < count_) ReadOne();
        return entries_;
    }

private:
    const uint8_t* bytes_;
    int count_;
    int next_ = 0;
    std::vector<UnitCommandEntry> entries_;

    void Emit(const std::string& text, int first, int end, const std::string& brief = std::string()) {
        UnitCommandEntry entry;
        entry.text = text;
        entry.brief = brief.empty() ? text : brief;
        entry.bytes.assign(bytes_ + first, bytes_ + end);
        entries_.push_back(entry);
    }

    void ReadOne() {
        const uint8_t byte = bytes_[next_];
        if (byte == kLock) {
            ReadLocks();
        } else if (byte == kUnlockFirst || byte == kUnlockSecond) {
            ReadUnlock();
        } else if (byte == kOpenStart) {
            ReadStart();
        } else {
            const std::string name = SingleByteCommand(byte);
            Emit(name.empty() ? "byte " + Hex(byte) : name, next_, next_ + 1);
            ++next_;
        }
    }

    // Every five lock bytes in a row are one lock; fewer are a partial one.
    void ReadLocks() {
        while (next_ < count_ && bytes_[next_] == kLock) {
            int end = next_;
            while (end < count_ && end - next_ < kSequenceRepeats && bytes_[end] == kLock) ++end;
            Emit(end - next_ == kSequenceRepeats ? "lock" : "partial lock", next_, end);
            next_ = end;
        }
    }

    // Five 0xFF 0xF5 pairs; a run that does not begin with 0xFF or ends
    // early is a partial one.
    void ReadUnlock() {
        const int first = next_;
        uint8_t wanted = bytes_[next_];
        int end = next_;
        while (end < count_ && end - first < 2 * kSequenceRepeats && bytes_[end] == wanted) {
            wanted = wanted == kUnlockFirst ? kUnlockSecond : kUnlockFirst;
            ++end;
        }
        const bool whole = bytes_[first] == kUnlockFirst && end - first == 2 * kSequenceRepeats;
        Emit(whole ? "unlock" : "partial unlock", first, end);
        next_ = end;
    }

    // 0xE8, frames, seconds, minutes, hours, 0xEE, mode byte. The fields are
    // taken by position whatever their values, as the unit takes them.
    void ReadStart() {
        const int first = next_;
        const int fieldsEnd = first + 1 + kStartFields;
        if (fieldsEnd + 2 > count_) {
            // Still arriving; unless the closing byte is already wrong.
            if (fieldsEnd < count_ && bytes_[fieldsEnd] != kCloseStart) {
                Emit("broken start", first, fieldsEnd);
                next_ = fieldsEnd;
            } else {
                Emit("partial start", first, count_);
                next_ = count_;
            }
            return;
        }
        if (bytes_[fieldsEnd] != kCloseStart) {
            // The unit drops the start and takes this byte as a command.
            Emit("broken start", first, fieldsEnd);
            next_ = fieldsEnd;
            return;
        }
        const uint8_t modeByte = bytes_[fieldsEnd + 1];
        if (!IsModeByte(modeByte)) {
            Emit("broken start", first, fieldsEnd + 1);
            next_ = fieldsEnd + 1;
            return;
        }
        MtcTime time;
        time.frames = bytes_[first + 1];
        time.seconds = bytes_[first + 2];
        time.minutes = bytes_[first + 3];
        time.hours = bytes_[first + 4];
        const int32_t mode = ModeOfByte(modeByte);
        Emit("start " + FormatTimecode(time) + " at " + FrameRateName(mode) + " fps", first, fieldsEnd + 2,
             "start " + FormatTimecode(time) + " @" + FrameRateName(mode));
        next_ = fieldsEnd + 2;
    }
};

}  // namespace

std::vector<UnitCommandEntry> DecodeUnitCommands(const uint8_t* bytes, int count) {
    if (bytes == nullptr) return {};
    return Reader(bytes, count).ReadAll();
}

std::string FormatCommandBytes(const std::vector<uint8_t>& bytes) {
    const size_t n = bytes.size();
    if (n == 0) return std::string();
    bool same = n > 2;
    for (size_t i = 1; same && i < n; ++i) same = bytes[i] == bytes[0];
    if (same) return Hex(bytes[0]) + " x" + std::to_string(n);
    bool pairs = n > 2 && n % 2 == 0;
    for (size_t i = 2; pairs && i < n; ++i) pairs = bytes[i] == bytes[i - 2];
    if (pairs) return Hex(bytes[0]) + " " + Hex(bytes[1]) + " x" + std::to_string(n / 2);
    std::string text;
    for (size_t i = 0; i < n; ++i) {
        if (i > 0) text += ' ';
        text += Hex(bytes[i]);
    }
    return text;
}
