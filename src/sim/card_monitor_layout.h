// Geometry of the card monitor: one strip per simulated card in a grid, the
// buttons on each strip, and where on the screen the monitor goes so that it
// leaves the desk's panel free. Portable.
#pragma once

#include <vector>

struct MonitorRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    MonitorRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
};

bool Intersects(const MonitorRect& a, const MonitorRect& b);
// True when `inner` lies wholly inside `outer`.
bool Inside(const MonitorRect& inner, const MonitorRect& outer);

constexpr int kCardStripWidth = 424;
constexpr int kCardStripHeight = 350;
constexpr int kMonitorMargin = 8;     // around and between the strips
constexpr int kMonitorFooter = 28;    // the hint line and the standby button under the strips
constexpr int kMonitorScreenGap = 6;  // between the desk's window and the monitor

struct MonitorSize {
    int width;
    int height;
};

// Rows of strips needed for `cardCount` cards in `gridColumns` columns.
int MonitorGridRows(int cardCount, int gridColumns);
MonitorSize MonitorClientSize(int cardCount, int gridColumns);
// Strip `index` (a column of the desk) in the monitor's client area.
MonitorRect CardStripRect(int index, int gridColumns);

// What a strip's buttons do. Routing buttons send the driver's routing
// notification for set 0 (A) or 1 (B) and row 0..3, switching it on or off.
enum class MonitorButtonKind { RouteOn, RouteOff, UnitPlug };

struct MonitorButton {
    MonitorButtonKind kind;
    int set;
    int row;
    MonitorRect rect;  // relative to the strip
};

const std::vector<MonitorButton>& CardStripButtons();

// The footer's button, at its right end: it puts the simulated machine
// through a standby and a resume. In the client area.
MonitorRect StandbyButtonRect(int cardCount, int gridColumns);

constexpr int kNoHit = -1;
constexpr int kStandbyHit = -2;  // MonitorHit::card of the standby button

struct MonitorHit {
    int card;    // the strip's card; kNoHit: no button; kStandbyHit: the standby button
    int button;  // index into CardStripButtons() on a strip
};
MonitorHit HitTestMonitor(int x, int y, int cardCount, int gridColumns);

struct MonitorPlacement {
    int gridColumns;
    MonitorRect window;  // the monitor's window rectangle on the screen
    MonitorSize view;    // its client area less the scroll bars: all of MonitorClientSize, or the part that shows
};

// Picks the grid and the window position: beside, below or above `desk` (the
// desk's window in its tallest form) and inside `workArea`, without touching
// the desk when there is room anywhere for the whole monitor; otherwise
// inside the work area where it covers the least of the desk, made smaller
// where the work area is, its strips then scrolled. `frameWidth` and
// `frameHeight` are what the window adds around its client area,
// `scrollBar` the width of a scroll bar.
MonitorPlacement PlaceMonitor(int cardCount, const MonitorRect& desk, const MonitorRect& workArea, int frameWidth,
                              int frameHeight, int scrollBar);
