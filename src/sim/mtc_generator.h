// The external unit's MIDI Time Code generator: from a start time, a
// frame-rate mode and the milliseconds since the start, the quarter-frame
// messages (0xF1, then a data byte 0nnndddd) the unit sends, and the time it
// has counted to. Portable.
#pragma once

#include <cstdint>
#include <vector>

struct MtcTime {
    int32_t hours = 0;
    int32_t minutes = 0;
    int32_t seconds = 0;
    int32_t frames = 0;
};

inline bool operator==(const MtcTime& a, const MtcTime& b) {
    return a.hours == b.hours && a.minutes == b.minutes && a.seconds == b.seconds && a.frames == b.frames;
}
inline bool operator!=(const MtcTime& a, const MtcTime& b) { return !(a == b); }

// Frame-rate modes, as the desk numbers them: 0 = 24, 1 = 25, 2 = 29.97
// (counted without drops), 3 = 30 drop-frame (at 29.97), 4 = 30 frames per
// second. A mode outside 0..4 is taken as mode 0.
struct MtcRate {
    int32_t framesPerSecond;    // frame labels per second: 24, 25 or 30
    int32_t realRateNumerator;  // frames per second of real time, as a fraction
    int32_t realRateDenominator;
    bool dropFrame;    // labels 00 and 01 skipped at each minute but every tenth
    uint8_t rateCode;  // the two rate bits MTC sends in piece 7
};
MtcRate MtcRateOfMode(int32_t mode);

// The time `frameCount` frames after `start`, counted in `mode`: frames carry
// into seconds, seconds into minutes, minutes into hours, and hours wrap at
// 24. A start outside the ranges of the mode (frame 30 at 24 frames per
// second, hour 99) is first brought into range by the same carries.
MtcTime AddFrames(const MtcTime& start, int64_t frameCount, int32_t mode);

// The data byte of quarter-frame piece 0..7 for `time`.
uint8_t QuarterFrameDataByte(const MtcTime& time, int32_t piece, int32_t mode);

// Number of whole frames that have passed `elapsedMs` after the start.
int64_t FramesElapsed(uint64_t elapsedMs, int32_t mode);

// Produces the generator's byte stream. Quarter frame q is due at
// q / (4 x real frame rate) seconds after the start; each group of eight
// (pieces 0..7) carries the time of the frame in which its piece 0 went out,
// so consecutive groups count up two frames at a time from the start time.
class MtcGenerator {
public:
    MtcGenerator(const MtcTime& start, int32_t mode);

    // Appends 0xF1 and the data byte of every quarter frame due at or before
    // `elapsedMs` that has not been produced yet.
    void Produce(uint64_t elapsedMs, std::vector<uint8_t>& out);

    // The time the unit shows `elapsedMs` after the start.
    MtcTime TimeAt(uint64_t elapsedMs) const;

    uint64_t QuarterFramesProduced() const { return produced_; }

private:
    MtcTime start_;
    int32_t mode_;
    uint64_t produced_ = 0;
};
