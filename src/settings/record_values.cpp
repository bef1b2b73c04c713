#include "settings/record_values.h"

#include <algorithm>

namespace {

int32_t Clamp(int32_t value, int32_t low, int32_t high) { return std::min(std::max(value, low), high); }

}  // namespace

int32_t LowestRoutedRow(const int32_t (&rows)[kRecordRoutingRows]) {
    for (int32_t r = 0; r < kRecordRoutingRows; ++r)
        if (rows[r] == 1) return r;
    return kRecordRoutingRows;
}

void NormaliseRecord(MixerSettings& record) {
    record.inputCoaxial = Clamp(record.inputCoaxial, 0, 1);
    record.inputOptical = 1 - record.inputCoaxial;
    record.fsMode = Clamp(record.fsMode, 0, 1);
    record.clockSource = Clamp(record.clockSource, 0, 3);
    record.routingOff = record.routingOff == 1 ? 1 : 0;
    const int32_t rowA = LowestRoutedRow(record.routeA);
    const int32_t rowB = LowestRoutedRow(record.routeB);
    for (int32_t r = 0; r < kRecordRoutingRows; ++r) {
        record.routeA[r] = r == rowA ? 1 : 0;
        record.routeB[r] = r == rowB ? 1 : 0;
    }
    record.autoRate = record.autoRate == 1 ? 1 : 0;
    record.manualRate = Clamp(record.manualRate, 0, 2);
    record.frameRate = Clamp(record.frameRate, 0, 4);
}
