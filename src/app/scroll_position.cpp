#include "app/scroll_position.h"

int ClampScroll(int position, int page, int whole) {
    const int last = whole - page;
    if (position > last) position = last;
    return position > 0 ? position : 0;
}

ScrolledView FitView(int width, int height, int roomWidth, int roomHeight, int barWidth, int barHeight) {
    ScrolledView view = {};
    view.horizontal = width > roomWidth;
    view.vertical = height > roomHeight - (view.horizontal ? barHeight : 0);
    if (view.vertical && !view.horizontal) view.horizontal = width > roomWidth - barWidth;
    const int roomLeftWidth = roomWidth - (view.vertical ? barWidth : 0);
    const int roomLeftHeight = roomHeight - (view.horizontal ? barHeight : 0);
    view.width = width < roomLeftWidth ? width : roomLeftWidth;
    view.height = height < roomLeftHeight ? height : roomLeftHeight;
    if (view.width < 0) view.width = 0;
    if (view.height < 0) view.height = 0;
    return view;
}

int ScrollFor(int position, int request, int thumb, int page, int whole) {
    switch (static_cast<ScrollRequest>(request)) {
    case ScrollRequest::LineBack: position -= kScrollLine; break;
    case ScrollRequest::LineOn: position += kScrollLine; break;
    case ScrollRequest::PageBack: position -= page; break;
    case ScrollRequest::PageOn: position += page; break;
    case ScrollRequest::ThumbPosition:
    case ScrollRequest::ThumbTrack: position = thumb; break;
    case ScrollRequest::Start: position = 0; break;
    case ScrollRequest::End: position = whole; break;
    }
    return ClampScroll(position, page, whole);
}

int ScrollForWheel(int position, int delta, int page, int whole) {
    return ClampScroll(position - delta * kScrollWheelNotch / kWheelDelta, page, whole);
}

int ScrollForRowHeight(int position, int oldRowHeight, int newRowHeight) {
    if (oldRowHeight <= 0 || newRowHeight <= 0) return 0;
    const int row = position / oldRowHeight;
    const int into = position - row * oldRowHeight;
    return row * newRowHeight + (into < newRowHeight ? into : newRowHeight - 1);
}

int ScrollToShow(int position, int start, int end, int page, int whole) {
    if (end - start > page || start < position) return ClampScroll(start, page, whole);
    if (end > position + page) return ClampScroll(end - page, page, whole);
    return position;
}
