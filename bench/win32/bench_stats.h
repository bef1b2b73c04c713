// Summaries of a benchmark's samples, the high-resolution clock they are
// taken with, and the window that the paint benchmarks measure against.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

inline double Median(std::vector<double> samples) {
    if (samples.empty()) return 0.0;
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2.0;
}

inline double Mean(const std::vector<double>& samples) {
    if (samples.empty()) return 0.0;
    return std::accumulate(samples.begin(), samples.end(), 0.0) / static_cast<double>(samples.size());
}

inline double Minimum(const std::vector<double>& samples) {
    return samples.empty() ? 0.0 : *std::min_element(samples.begin(), samples.end());
}

inline double Maximum(const std::vector<double>& samples) {
    return samples.empty() ? 0.0 : *std::max_element(samples.begin(), samples.end());
}

// QueryPerformanceCounter ticks, and their conversion to milliseconds.
inline int64_t Ticks() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

inline double TicksToMs(int64_t ticks) {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    return static_cast<double>(ticks) / ticksPerMs;
}

// The floor of a paint: a window whose WM_PAINT only begins and ends
// painting and which erases nothing. What the window system costs per window
// painted shows there; a control's own drawing is the difference.
inline LRESULT CALLBACK PaintNothing(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
