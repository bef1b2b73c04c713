// The bitmap gauge's filled width and where its empty part starts.
#include "controls/bitmap_gauge_parts.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct GaugeCase {
    int32_t left, right;  // the client rectangle's edges
    int32_t position;
    int64_t fill;
    int32_t filledRight, emptyLeft;
};

class BitmapGaugePartsTest : public ::testing::TestWithParam<GaugeCase> {};

TEST_P(BitmapGaugePartsTest, FillsWidthTimesPositionOverAHundred) {
    const GaugeCase& c = GetParam();
    EXPECT_EQ(c.fill, GaugeFillWidth(c.right - c.left, c.position));
    const GaugeParts parts = LayOutGauge(c.left, c.right, c.position);
    EXPECT_EQ(c.filledRight, parts.filledRight);
    EXPECT_EQ(c.emptyLeft, parts.emptyLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, BitmapGaugePartsTest,
    ::testing::Values(GaugeCase{0, 200, 0, 0, 0, -1},         // the empty part from left - 1
                      GaugeCase{0, 200, 100, 200, 200, 199},  // the empty part one pixel wide
                      GaugeCase{0, 101, 50, 50, 50, 49},      // 50.5 truncated
                      GaugeCase{0, 200, 33, 66, 66, 65}, GaugeCase{0, 200, -10, -20, -20, -21},  // unclamped below 0
                      GaugeCase{0, 200, 150, 300, 300, 299},                                     // and above 100
                      GaugeCase{0, 7, -1, 0, 0, -1},  // truncated toward zero
                      GaugeCase{10, 110, 25, 25, 35, 34},
                      // Far outside the fill is exact and only the edges are held.
                      GaugeCase{0, 200, INT_MAX, 4294967294LL, kGaugeEdgeLimit, kGaugeEdgeLimit},
                      GaugeCase{0, 200, INT_MIN, -4294967296LL, -kGaugeEdgeLimit, -kGaugeEdgeLimit},
                      GaugeCase{0, 200, 16383, 32766, 32766, 32765}));

}  // namespace
