#include "sim/card_monitor_layout.h"

#include <algorithm>

#include "app/scroll_position.h"

namespace {

// Routing buttons: a row that switches on and a row that switches off, four
// rows of set A, a gap, four rows of set B.
constexpr int kRouteButtonLeft = 36;
constexpr int kRouteButtonStep = 29;
constexpr int kRouteButtonWidth = 26;
constexpr int kRouteButtonHeight = 15;
constexpr int kRouteSetGap = 6;
constexpr int kRouteOnTop = 312;
constexpr int kRouteOffTop = 330;

constexpr MonitorRect kUnitPlugButton = {284, 132, 414, 150};

constexpr int kStandbyButtonWidth = 120;
constexpr int kStandbyButtonHeight = 18;

std::vector<MonitorButton> BuildButtons() {
    std::vector<MonitorButton> buttons;
    for (int on = 1; on >= 0; --on) {
        const int top = on ? kRouteOnTop : kRouteOffTop;
        for (int set = 0; set < 2; ++set) {
            for (int row = 0; row < 4; ++row) {
                const int left = kRouteButtonLeft + (set * 4 + row) * kRouteButtonStep + set * kRouteSetGap;
                buttons.push_back({on ? MonitorButtonKind::RouteOn : MonitorButtonKind::RouteOff,
                                   set,
                                   row,
                                   {left, top, left + kRouteButtonWidth, top + kRouteButtonHeight}});
            }
        }
    }
    buttons.push_back({MonitorButtonKind::UnitPlug, 0, 0, kUnitPlugButton});
    return buttons;
}

long long OverlapArea(const MonitorRect& a, const MonitorRect& b) {
    const long long width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const long long height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Moves `rect` into `area` as far as it fits (top-left wins when it is larger).
MonitorRect ClampInto(const MonitorRect& rect, const MonitorRect& area) {
    int dx = 0;
    int dy = 0;
    if (rect.right > area.right) dx = area.right - rect.right;
    if (rect.left + dx < area.left) dx = area.left - rect.left;
    if (rect.bottom > area.bottom) dy = area.bottom - rect.bottom;
    if (rect.top + dy < area.top) dy = area.top - rect.top;
    return rect.Offset(dx, dy);
}

}  // namespace

bool Intersects(const MonitorRect& a, const MonitorRect& b) { return OverlapArea(a, b) > 0; }

bool Inside(const MonitorRect& inner, const MonitorRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

int MonitorGridRows(int cardCount, int gridColumns) {
    if (cardCount <= 0 || gridColumns <= 0) return 0;
    return (cardCount + gridColumns - 1) / gridColumns;
}

MonitorSize MonitorClientSize(int cardCount, int gridColumns) {
    const int columns = std::max(1, std::min(gridColumns, std::max(cardCount, 1)));
    const int rows = std::max(1, MonitorGridRows(cardCount, columns));
    return {kMonitorMargin + columns * (kCardStripWidth + kMonitorMargin),
            kMonitorMargin + rows * (kCardStripHeight + kMonitorMargin) + kMonitorFooter};
}

MonitorRect CardStripRect(int index, int gridColumns) {
    const int columns = std::max(1, gridColumns);
    const int left = kMonitorMargin + (index % columns) * (kCardStripWidth + kMonitorMargin);
    const int top = kMonitorMargin + (index / columns) * (kCardStripHeight + kMonitorMargin);
    return {left, top, left + kCardStripWidth, top + kCardStripHeight};
}

const std::vector<MonitorButton>& CardStripButtons() {
    static const std::vector<MonitorButton> buttons = BuildButtons();
    return buttons;
}

MonitorRect StandbyButtonRect(int cardCount, int gridColumns) {
    const MonitorSize client = MonitorClientSize(cardCount, gridColumns);
    const int right = client.width - kMonitorMargin;
    const int top = client.height - kMonitorFooter + (kMonitorFooter - kStandbyButtonHeight) / 2;
    return {right - kStandbyButtonWidth, top, right, top + kStandbyButtonHeight};
}

MonitorHit HitTestMonitor(int x, int y, int cardCount, int gridColumns) {
    if (StandbyButtonRect(cardCount, gridColumns).Contains(x, y)) return {kStandbyHit, 0};
    for (int card = 0; card < cardCount; ++card) {
        const MonitorRect strip = CardStripRect(card, gridColumns);
        if (!strip.Contains(x, y)) continue;
        const std::vector<MonitorButton>& buttons = CardStripButtons();
        for (size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i].rect.Contains(x - strip.left, y - strip.top)) return {card, static_cast<int>(i)};
        return {kNoHit, -1};
    }
    return {kNoHit, -1};
}

MonitorPlacement PlaceMonitor(int cardCount, const MonitorRect& desk, const MonitorRect& workArea, int frameWidth,
                              int frameHeight, int scrollBar) {
    const int count = std::max(1, cardCount);
    // Failing that: the least overlap among windows that fit on the screen,
    // before any that does not, and among those that show every strip,
    // before any that scrolls them.
    MonitorPlacement best = {0, {}, {0, 0}};
    long long bestScore = -1;
    for (int columns = 1; columns <= count; ++columns) {
        if (columns > 1 && MonitorGridRows(count, columns) == MonitorGridRows(count, columns - 1)) continue;
        const MonitorSize client = MonitorClientSize(count, columns);
        const int width = client.width + frameWidth;
        const int height = client.height + frameHeight;
        // Where the whole monitor is larger than the work area, the view
        // takes what the work area has and the strips scroll in it.
        const ScrolledView view = FitView(client.width, client.height, workArea.Width() - frameWidth,
                                          workArea.Height() - frameHeight, scrollBar, scrollBar);
        const int fitWidth = view.width + (view.vertical ? scrollBar : 0) + frameWidth;
        const int fitHeight = view.height + (view.horizontal ? scrollBar : 0) + frameHeight;
        const int besideTop = std::max(workArea.top, std::min(desk.top, workArea.bottom - height));
        const int alignedLeft = std::max(workArea.left, std::min(desk.left, workArea.right - width));
        const MonitorRect candidates[] = {
            {desk.right + kMonitorScreenGap, besideTop, desk.right + kMonitorScreenGap + width, besideTop + height},
            {desk.left - kMonitorScreenGap - width, besideTop, desk.left - kMonitorScreenGap, besideTop + height},
            {alignedLeft, desk.bottom + kMonitorScreenGap, alignedLeft + width,
             desk.bottom + kMonitorScreenGap + height},
            {alignedLeft, desk.top - kMonitorScreenGap - height, alignedLeft + width, desk.top - kMonitorScreenGap},
        };
        for (const MonitorRect& candidate : candidates) {
            if (Inside(candidate, workArea) && !Intersects(candidate, desk)) return {columns, candidate, client};
            const MonitorRect fitted = {candidate.left, candidate.top, candidate.left + fitWidth,
                                        candidate.top + fitHeight};
            const MonitorRect clamped = ClampInto(fitted, workArea);
            // A monitor that shows every strip before one that scrolls them.
            const long long offScreenPenalty = Inside(clamped, workArea) ? 0 : (1LL << 40);
            const long long scrollPenalty = view.width < client.width || view.height < client.height ? (1LL << 36) : 0;
            const long long score = offScreenPenalty + scrollPenalty + OverlapArea(clamped, desk);
            if (bestScore < 0 || score < bestScore) {
                bestScore = score;
                best = {columns, clamped, {view.width, view.height}};
            }
        }
    }
    return best;
}
