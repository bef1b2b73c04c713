// The external unit's last received bytes read back as the commands the desk
// sent: lock and unlock sequences, timecode starts with their time and rate,
// stops, rate bytes and the single-byte settings. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct UnitCommandEntry {
    std::string text;            // e.g. "start 01:00:00:00 at 25 fps"
    std::string brief;           // the same, shorter where it can be: "start 01:00:00:00 @25"
    std::vector<uint8_t> bytes;  // the bytes it was made of, in the order received
};

// Reads `count` bytes, oldest first, into commands, oldest first. The bytes
// may begin in the middle of a sequence (older bytes have been forgotten) and
// the newest sequence may still be arriving: such pieces come out as
// "partial ..." entries rather than being guessed at.
std::vector<UnitCommandEntry> DecodeUnitCommands(const uint8_t* bytes, int count);

// The bytes as hex, runs shortened: "EF", "F8 x5", "FF F5 x5",
// "E8 00 00 00 01 EE E2".
std::string FormatCommandBytes(const std::vector<uint8_t>& bytes);
