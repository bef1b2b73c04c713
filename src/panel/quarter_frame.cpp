#include "panel/quarter_frame.h"

namespace {

// Pieces 2n and 2n + 1 carry field n. The even piece starts the field from
// its low nibble; the odd one adds the high bits, keeping only the bits of
// the field so far that `keep` names and of its nibble that `high` names,
// as wide as the field is.
struct FieldPieces {
    uint8_t QuarterFrameTime::*field;
    uint8_t keep;
    uint8_t high;
};
constexpr FieldPieces kFields[] = {
    {&QuarterFrameTime::frames, 0x1F, 0x1},   // 0 to 29: five bits
    {&QuarterFrameTime::seconds, 0x3F, 0x3},  // 0 to 59: six bits
    {&QuarterFrameTime::minutes, 0x3F, 0x3},
    {&QuarterFrameTime::hours, 0x1F, 0x1},  // piece 7's rate bits (1 and 2) are not used
};

}  // namespace

bool ApplyQuarterFrame(QuarterFrameTime& time, uint8_t dataByte) {
    if (dataByte >= 0x80) return false;
    const unsigned piece = dataByte >> 4;
    const unsigned nibble = dataByte & 0x0Fu;
    const FieldPieces& pieces = kFields[piece / 2];
    uint8_t& field = time.*pieces.field;
    field = static_cast<uint8_t>(piece % 2 == 0 ? nibble : (field & pieces.keep) | ((nibble & pieces.high) << 4));
    return piece == 7;
}
