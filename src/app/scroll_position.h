// Where a scrolled view goes: from a scroll bar's request, a turn of the
// mouse wheel, or a change of what it shows. Positions are pixels from the
// start of the whole; a view of `page` pixels over `whole` pixels scrolls from
// 0 to whole - page. Portable: no windows.h here.
#pragma once

// A scroll bar's requests, numbered as WM_VSCROLL and WM_HSCROLL number them.
enum class ScrollRequest {
    LineBack = 0,
    LineOn = 1,
    PageBack = 2,
    PageOn = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Start = 6,
    End = 7,
};

constexpr int kScrollLine = 20;        // pixels a step of the scroll bar's arrows moves
constexpr int kScrollWheelNotch = 60;  // pixels a notch of the wheel moves
constexpr int kWheelDelta = 120;       // what one notch of the wheel reports

int ClampScroll(int position, int page, int whole);

// A view of a whole of `width` x `height` pixels in a room of `roomWidth` x
// `roomHeight` pixels that takes scroll bars (`barWidth` wide at the side,
// `barHeight` high below) where the whole does not fit: the view's size,
// less the bars, and which bars it takes.
struct ScrolledView {
    int width;
    int height;
    bool vertical;
    bool horizontal;
};
ScrolledView FitView(int width, int height, int roomWidth, int roomHeight, int barWidth, int barHeight);

// Where `request` takes the view; `thumb` is the thumb's place for the two
// thumb requests. Anything else leaves it where it is.
int ScrollFor(int position, int request, int thumb, int page, int whole);

// Where a turn of the wheel by `delta` (positive: away from the user, so
// back towards the start) takes the view.
int ScrollForWheel(int position, int delta, int page, int whole);

// The view over rows of `oldRowHeight` pixels that become `newRowHeight`
// pixels high: the row at the top of the view stays at the top, as far into
// it as it still goes.
int ScrollForRowHeight(int position, int oldRowHeight, int newRowHeight);

// The least move of the view that shows the stretch from `start` to `end`
// (pixels of the whole), its start first where the view is too small for
// all of it: for the control that the keyboard's focus has moved to.
int ScrollToShow(int position, int start, int end, int page, int whole);
