#include "sim/mtc_generator.h"

namespace {

// Mode 2 counts its 29.97 frames like 30 without drops; MTC has no rate code
// of its own for it, so it goes out as 30 (code 3).
constexpr MtcRate kRates[] = {
    {24, 24, 1, false, 0},      {25, 25, 1, false, 1}, {30, 30000, 1001, false, 3},
    {30, 30000, 1001, true, 2}, {30, 30, 1, false, 3},
};

constexpr int64_t kSecondsPerDay = 24 * 60 * 60;
constexpr int64_t kMinutesPerDay = 24 * 60;
// Drop-frame: labels 00 and 01 are skipped at every minute not divisible by 10.
constexpr int64_t kDroppedPerMinute = 2;
constexpr int64_t kDropFramesPer10Minutes = 10 * 60 * 30 - 9 * kDroppedPerMinute;  // 17982
constexpr int64_t kDropFramesPerMinute = 60 * 30 - kDroppedPerMinute;              // 1798

int64_t FramesPerDay(const MtcRate& rate) {
    const int64_t labels = kSecondsPerDay * rate.framesPerSecond;
    if (!rate.dropFrame) return labels;
    return labels - kDroppedPerMinute * (kMinutesPerDay - kMinutesPerDay / 10);
}

int64_t NonNegative(int32_t field) { return field < 0 ? 0 : field; }

// A label's frame number since 00:00:00:00. Fields out of range carry first;
// a drop-frame label that does not exist (frame 00 or 01 of a dropped
// minute) is taken as frame 02 of that minute.
int64_t FrameNumber(const MtcTime& time, const MtcRate& rate) {
    const int64_t fps = rate.framesPerSecond;
    const int64_t labels =
        ((NonNegative(time.hours) * 60 + NonNegative(time.minutes)) * 60 + NonNegative(time.seconds)) * fps +
        NonNegative(time.frames);
    if (!rate.dropFrame) return labels;
    int64_t frames = labels % fps;
    const int64_t seconds = labels / fps % 60;
    const int64_t totalMinutes = labels / (fps * 60);
    if (frames < kDroppedPerMinute && seconds == 0 && totalMinutes % 10 != 0) frames = kDroppedPerMinute;
    return (totalMinutes * 60 + seconds) * fps + frames - kDroppedPerMinute * (totalMinutes - totalMinutes / 10);
}

MtcTime LabelOf(int64_t number, const MtcRate& rate) {
    if (rate.dropFrame) {
        const int64_t tens = number / kDropFramesPer10Minutes;
        const int64_t rest = number % kDropFramesPer10Minutes;
        number += 9 * kDroppedPerMinute * tens;
        if (rest > 1) number += kDroppedPerMinute * ((rest - kDroppedPerMinute) / kDropFramesPerMinute);
    }
    const int64_t fps = rate.framesPerSecond;
    MtcTime time;
    time.frames = static_cast<int32_t>(number % fps);
    time.seconds = static_cast<int32_t>(number / fps % 60);
    time.minutes = static_cast<int32_t>(number / (fps * 60) % 60);
    time.hours = static_cast<int32_t>(number / (fps * 3600));
    return time;
}

}  // namespace

MtcRate MtcRateOfMode(int32_t mode) {
    if (mode < 0 || mode > 4) mode = 0;
    return kRates[mode];
}

MtcTime AddFrames(const MtcTime& start, int64_t frameCount, int32_t mode) {
    const MtcRate rate = MtcRateOfMode(mode);
    const int64_t day = FramesPerDay(rate);
    int64_t number = (FrameNumber(start, rate) + frameCount % day) % day;
    if (number < 0) number += day;
    return LabelOf(number, rate);
}

uint8_t QuarterFrameDataByte(const MtcTime& time, int32_t piece, int32_t mode) {
    piece &= 7;
    uint32_t nibble = 0;
    switch (piece) {
    case 0: nibble = time.frames & 0xF; break;
    case 1: nibble = (time.frames >> 4) & 0x1; break;
    case 2: nibble = time.seconds & 0xF; break;
    case 3: nibble = (time.seconds >> 4) & 0x3; break;
    case 4: nibble = time.minutes & 0xF; break;
    case 5: nibble = (time.minutes >> 4) & 0x3; break;
    case 6: nibble = time.hours & 0xF; break;
    case 7: nibble = ((time.hours >> 4) & 0x1) | (MtcRateOfMode(mode).rateCode << 1); break;
    }
    return static_cast<uint8_t>((piece << 4) | nibble);
}

int64_t FramesElapsed(uint64_t elapsedMs, int32_t mode) {
    const MtcRate rate = MtcRateOfMode(mode);
    return static_cast<int64_t>(elapsedMs * rate.realRateNumerator / (1000ull * rate.realRateDenominator));
}

MtcGenerator::MtcGenerator(const MtcTime& start, int32_t mode) : start_(start), mode_(mode) {}

void MtcGenerator::Produce(uint64_t elapsedMs, std::vector<uint8_t>& out) {
    const MtcRate rate = MtcRateOfMode(mode_);
    // Quarter frame 0 goes out at the start itself.
    const uint64_t due = elapsedMs * 4 * rate.realRateNumerator / (1000ull * rate.realRateDenominator) + 1;
    for (; produced_ < due; ++produced_) {
        const int64_t group = static_cast<int64_t>(produced_ / 8);
        const int32_t piece = static_cast<int32_t>(produced_ % 8);
        out.push_back(0xF1);
        out.push_back(QuarterFrameDataByte(AddFrames(start_, 2 * group, mode_), piece, mode_));
    }
}

MtcTime MtcGenerator::TimeAt(uint64_t elapsedMs) const {
    return AddFrames(start_, FramesElapsed(elapsedMs, mode_), mode_);
}
