// Where the bitmap gauge's two parts lie, kept free of the window system.
#pragma once

#include <cstdint>

// Filled width of a bar `width` pixels wide at `position` percent: width *
// position / 100, the quotient truncated toward zero. A position outside 0
// to 100 is not clamped: above 100 the fill runs past the bar, below 0 it is
// negative. Taken in 64 bits, so no position overflows.
int64_t GaugeFillWidth(int32_t width, int32_t position);

// The rectangles' horizontal edges, drawn with Rectangle (outline included,
// right edge exclusive): the filled part from `left` to `filledRight`, then
// the empty part from `emptyLeft` (one pixel left of the filled part's edge,
// so the two outlines share one line) to `right`.
struct GaugeParts {
    int32_t filledRight;
    int32_t emptyLeft;
};

// Windows 9x draws with 16-bit coordinates, so an edge further out would
// come back inside the bar; edges beyond this are held at it, which keeps
// them off any window that fits on a screen.
constexpr int32_t kGaugeEdgeLimit = 32767;

GaugeParts LayOutGauge(int32_t left, int32_t right, int32_t position);
