#include "controls/bitmap_gauge_parts.h"

#include "controls/control_values.h"

int64_t GaugeFillWidth(int32_t width, int32_t position) { return static_cast<int64_t>(width) * position / 100; }

GaugeParts LayOutGauge(int32_t left, int32_t right, int32_t position) {
    const int32_t width = ClampValue(static_cast<int64_t>(right) - left, INT32_MIN, INT32_MAX);
    const int64_t filledRight = left + GaugeFillWidth(width, position);
    GaugeParts parts;
    parts.filledRight = ClampValue(filledRight, -kGaugeEdgeLimit, kGaugeEdgeLimit);
    parts.emptyLeft = ClampValue(filledRight - 1, -kGaugeEdgeLimit, kGaugeEdgeLimit);
    return parts;
}
