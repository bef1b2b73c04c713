// How the desk takes the values of a stored record, which other software
// (or an earlier version of the desk) may have written: the one rule shared
// by the restore and by the setups file. Portable: no windows.h here.
#pragma once

#include <cstdint>

#include "settings/settings_store.h"

constexpr int32_t kRecordRoutingRows = 4;  // rows of each routing set

// The row a routing set routes: the lowest slot that is 1, or 4 for none.
int32_t LowestRoutedRow(const int32_t (&rows)[kRecordRoutingRows]);

// Brings every value into its range as the restore takes it: a value that
// picks one of a group is clamped into the group (fs mode 0..1, clock
// source 0..3, manual rate 0..2, frame rate 0..4), flags count as set only
// when exactly 1, each routing set keeps only its lowest routed row (the
// row the card is sent), and the input pair's slots become what the pair
// will show: coaxial exactly when the coaxial slot is 1 or more, whatever
// the optical slot holds (earlier versions stored the state each toggle
// took at its own last click, which may leave both slots equal). The
// timecode slot is left as it is.
void NormaliseRecord(MixerSettings& record);
