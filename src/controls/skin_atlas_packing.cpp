#include "controls/skin_atlas_packing.h"

namespace {

int ColumnsFor(int pixels) { return (pixels + kAtlasColumnPixels - 1) / kAtlasColumnPixels; }

}  // namespace

AtlasPacking::AtlasPacking(int width, int height)
    : columns_(width > 0 && width <= kMaxWidth ? width / kAtlasColumnPixels : 0),
      height_(height > 0 && height <= INT16_MAX ? height : 0),
      skyline_() {}

bool AtlasPacking::Place(int width, int height, int* x, int* y) {
    if (width <= 0 || height <= 0) return false;
    const int span = ColumnsFor(width);
    // The lowest top wins, the leftmost of equals; past the atlas's last
    // column means that the picture fits nowhere.
    int bestColumn = columns_;
    int bestTop = height_ - height + 1;  // the first top too low to fit
    for (int column = 0; column + span <= columns_; ++column) {
        int top = 0;
        for (int i = column; i < column + span; ++i)
            if (skyline_[i] > top) top = skyline_[i];
        if (top < bestTop) {
            bestColumn = column;
            bestTop = top;
        }
    }
    if (bestColumn == columns_) return false;
    for (int i = bestColumn; i < bestColumn + span; ++i) skyline_[i] = static_cast<int16_t>(bestTop + height);
    *x = bestColumn * kAtlasColumnPixels;
    *y = bestTop;
    return true;
}

int AtlasPacking::UsedHeight() const {
    int used = 0;
    for (int i = 0; i < columns_; ++i)
        if (skyline_[i] > used) used = skyline_[i];
    return used;
}
