#include "app/main_window_placement.h"

#include "app/main_window_layout.h"
#include "app/scroll_position.h"

namespace {

int CeilDiv(int a, int b) { return (a + b - 1) / b; }
int AtLeastZero(int value) { return value > 0 ? value : 0; }

bool Inside(const ScreenRect& inner, const ScreenRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

int FrameWidth(const FrameInsets& frame) { return frame.left + frame.right; }
int FrameHeight(const FrameInsets& frame) { return frame.top + frame.bottom; }

int CardRowHeight(const PanelGeometry& panel, bool timecodeShown) {
    return panel.mainRowHeight + (timecodeShown ? panel.timecodeRowHeight : 0);
}

// An arrangement of `perRow` cards a row, its client area and scroll bars
// settled, the window's top-left corner still at (0, 0).
PanelPlacement Arrangement(const PanelGeometry& panel, int rowHeight, int perRow) {
    PanelPlacement placement = {};
    placement.cardsPerRow = perRow;
    placement.rows = CeilDiv(panel.cards, perRow);
    placement.columnWidth = panel.columnWidth;
    placement.cardRowHeight = rowHeight;
    placement.panelWidth = perRow * panel.columnWidth;
    placement.panelHeight = placement.rows * rowHeight;
    placement.clientWidth = placement.panelWidth;
    placement.clientHeight = placement.panelHeight;
    return placement;
}

void SetWindowSize(PanelPlacement& placement, const ScreenMetrics& screen) {
    const int bars = (placement.ScrollsVertically() ? screen.verticalScrollBarWidth : 0);
    const int barsBelow = (placement.ScrollsHorizontally() ? screen.horizontalScrollBarHeight : 0);
    placement.window.right = placement.window.left + placement.clientWidth + bars + FrameWidth(screen.frame);
    placement.window.bottom = placement.window.top + placement.clientHeight + barsBelow + FrameHeight(screen.frame);
}

void MoveTo(PanelPlacement& placement, int x, int y) {
    const int width = placement.window.Width();
    const int height = placement.window.Height();
    placement.window = {x, y, x + width, y + height};
}

ScreenRect ClientOnScreen(const PanelPlacement& placement, const ScreenMetrics& screen) {
    const int left = placement.window.left + screen.frame.left;
    const int top = placement.window.top + screen.frame.top;
    return {left, top, left + placement.clientWidth, top + placement.clientHeight};
}

// Every card side by side, centred as the desk has always centred it.
PanelPlacement Centred(const PanelGeometry& panel, const ScreenMetrics& screen, bool timecodeShown) {
    PanelPlacement placement = Arrangement(panel, CardRowHeight(panel, timecodeShown), panel.cards);
    placement.centred = true;
    const MainWindowRect formula = PlaceMainWindow(screen.monitor.Width(), screen.monitor.Height(), panel.cards,
                                                   panel.columnWidth, panel.mainRowHeight);
    const int x = screen.monitor.left + formula.x;
    const int y = screen.monitor.top + formula.y;
    placement.window = {x, y, x, y};
    SetWindowSize(placement, screen);
    return placement;
}

// The fewest rows of cards whose width fits, counting the vertical scroll
// bar where they are too tall; one card a row (scrolled sideways too) where
// none fits. Rows as even as they go: four cards make two rows of two.
PanelPlacement Wrapped(const PanelGeometry& panel, const ScreenMetrics& screen, bool timecodeShown) {
    const int rowHeight = CardRowHeight(panel, timecodeShown);
    const int roomWidth = AtLeastZero(screen.workArea.Width() - FrameWidth(screen.frame));
    const int roomHeight = AtLeastZero(screen.workArea.Height() - FrameHeight(screen.frame));
    int perRow = 1;
    for (int rows = 1; rows <= panel.cards; ++rows) {
        const int cards = CeilDiv(panel.cards, rows);
        if (CeilDiv(panel.cards, cards) != rows) continue;  // the same rows as fewer would make
        const bool tooTall = rows * rowHeight > roomHeight;
        if (cards * panel.columnWidth + (tooTall ? screen.verticalScrollBarWidth : 0) <= roomWidth) {
            perRow = cards;
            break;
        }
    }
    PanelPlacement placement = Arrangement(panel, rowHeight, perRow);
    const ScrolledView view = FitView(placement.panelWidth, placement.panelHeight, roomWidth, roomHeight,
                                      screen.verticalScrollBarWidth, screen.horizontalScrollBarHeight);
    placement.clientWidth = view.width;
    placement.clientHeight = view.height;
    SetWindowSize(placement, screen);
    MoveTo(placement, screen.workArea.left + (screen.workArea.Width() - placement.window.Width()) / 2,
           screen.workArea.top + (screen.workArea.Height() - placement.window.Height()) / 2);
    return placement;
}

bool KeepsToTheRules(const PanelPlacement& placement, const ScreenMetrics& screen) {
    if (placement.centred) return Inside(ClientOnScreen(placement, screen), screen.workArea);
    return Inside(placement.window, screen.workArea);
}

}  // namespace

PanelPlacement PlacePanel(const PanelGeometry& panel, const ScreenMetrics& screen, bool timecodeShown) {
    if (panel.cards <= 0) return Arrangement({1, 0, 0, 0}, 0, 1);  // no card, no panel: an empty window
    const PanelPlacement centred = Centred(panel, screen, timecodeShown);
    if (KeepsToTheRules(centred, screen)) return centred;
    return Wrapped(panel, screen, timecodeShown);
}

PanelPlacement PlacePanelKeeping(const PanelGeometry& panel, const ScreenMetrics& screen, bool timecodeShown, int x,
                                 int y) {
    const PanelPlacement fresh = PlacePanel(panel, screen, timecodeShown);
    PanelPlacement kept = fresh;
    MoveTo(kept, x, y);
    return KeepsToTheRules(kept, screen) ? kept : fresh;
}
