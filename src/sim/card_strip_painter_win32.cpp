#include "sim/card_strip_painter_win32.h"

#include <cstdio>

#include "sim/card_monitor_layout.h"
#include "sim/card_state_names.h"
#include "sim/monitor_painter_win32.h"

namespace {

using namespace monitor_colours;

// Columns of the strip, relative to its left edge.
constexpr int kLeftColumn = 10;
constexpr int kLeftWidth = 124;
constexpr int kMiddleColumn = 144;
constexpr int kMiddleWidth = 130;
constexpr int kRightColumn = 284;
constexpr int kRightWidth = 130;
constexpr int kBottomWidth = 264;  // the timecode and the routing buttons, under the left two columns
constexpr int kRowStep = 14;
constexpr int kCommandLines = 10;

constexpr COLORREF kGreenLit = RGB(80, 255, 130);
constexpr COLORREF kGreenUnlit = RGB(18, 42, 26);
constexpr COLORREF kAmberLit = RGB(255, 172, 0);
constexpr COLORREF kAmberIdle = RGB(200, 140, 40);
constexpr COLORREF kAmberUnlit = RGB(40, 28, 8);

// Draws in strip coordinates.
class StripCanvas {
public:
    StripCanvas(HDC dc, const MonitorFonts& fonts, int left, int top)
        : dc_(dc), fonts_(fonts), left_(left), top_(top) {}

    RECT Box(int l, int t, int r, int b) const { return RECT{left_ + l, top_ + t, left_ + r, top_ + b}; }
    HDC dc() const { return dc_; }
    const MonitorFonts& fonts() const { return fonts_; }

    void Title(int x, int y, int width, const char* text) const {
        DrawSectionTitle(dc_, fonts_.title(), left_ + x, top_ + y, width, text);
    }
    void Lamp(int x, int y, int width, bool lit, LampColour colour, const char* label) const {
        DrawLampRow(dc_, fonts_.label(), left_ + x, top_ + y, width, lit, colour, label);
    }
    void LampOnly(int x, int y, bool lit, LampColour colour) const {
        DrawLamp(dc_, left_ + x, top_ + y + 2, lit, colour);
    }
    void Text(HFONT font, const char* text, int l, int t, int r, int b, COLORREF colour, UINT format) const {
        PutText(dc_, font, text, Box(l, t, r, b), colour, format);
    }
    void Readout(int l, int t, int r, int b) const {
        FillBox(dc_, Box(l, t, r, b), kReadoutBack);
        FrameBox(dc_, Box(l, t, r, b), kReadoutEdge);
    }

private:
    HDC dc_;
    const MonitorFonts& fonts_;
    int left_;
    int top_;
};

void PaintHeader(const StripCanvas& canvas, const CardView& view) {
    FillBox(canvas.dc(), canvas.Box(1, 1, kCardStripWidth - 1, 24), kHeader);
    char text[96];
    std::snprintf(text, sizeof text, "CARD %d", view.column + 1);
    canvas.Text(canvas.fonts().heading(), text, 10, 1, 80, 24, kBadge, DT_LEFT | DT_VCENTER);
    std::snprintf(text, sizeof text, "column %d, driver index %d", view.column, view.driverIndex);
    canvas.Text(canvas.fonts().note(), text, 80, 1, 230, 24, kLabelDim, DT_LEFT | DT_VCENTER);
    const uint16_t* w = view.state.words;
    std::snprintf(text, sizeof text, "WORDS %04X %04X %04X %04X", w[0], w[1], w[2], w[3]);
    canvas.Text(canvas.fonts().mono(), text, 220, 1, kCardStripWidth - 10, 24, kTitle, DT_RIGHT | DT_VCENTER);
}

void PaintInputs(const StripCanvas& canvas, const SimCardState& state) {
    const int x = kLeftColumn;
    const int w = kLeftWidth;
    canvas.Title(x, 32, w, "DIGITAL INPUT");
    canvas.Lamp(x, 50, w, state.digitalInputCoaxial, LampColour::Green, "COAXIAL");
    canvas.Lamp(x, 50 + kRowStep, w, !state.digitalInputCoaxial, LampColour::Green, "OPTICAL");

    canvas.Title(x, 84, w, "FS MODE");
    canvas.Lamp(x, 102, w, state.fsMode == 0, LampColour::Green, "FS");
    canvas.Lamp(x, 102 + kRowStep, w, state.fsMode == 1, LampColour::Green, "256 FS");

    canvas.Title(x, 136, w, "CLOCK SOURCE");
    static const char* const kClocks[] = {"INTERNAL", "DIGITAL INPUT", "WORD CLOCK", "EXTERNAL UNIT"};
    for (int i = 0; i < 4; ++i)
        canvas.Lamp(x, 154 + i * kRowStep, w, state.clockSource == i, LampColour::Green, kClocks[i]);
}

void PaintRouting(const StripCanvas& canvas, const SimCardState& state) {
    const int x = kMiddleColumn;
    const int setA = x + 86;
    const int setB = x + 110;
    canvas.Title(x, 32, kMiddleWidth, "ROUTING");
    canvas.Text(canvas.fonts().title(), "A", setA - 4, 32, setA + kLampSize + 4, 44, kTitle, DT_CENTER | DT_TOP);
    canvas.Text(canvas.fonts().title(), "B", setB - 4, 32, setB + kLampSize + 4, 44, kTitle, DT_CENTER | DT_TOP);
    for (int row = 0; row < 4; ++row) {
        const int y = 50 + row * kRowStep;
        const bool used = state.routeA == row || state.routeB == row;
        char label[16];
        std::snprintf(label, sizeof label, "OUT %s", OutputPairName(row));
        canvas.Text(canvas.fonts().label(), label, x, y, setA - 4, y + 13, used ? kLabelLit : kLabelDim,
                    DT_LEFT | DT_TOP);
        canvas.LampOnly(setA, y, state.routeA == row, LampColour::Green);
        canvas.LampOnly(setB, y, state.routeB == row, LampColour::Green);
    }
    canvas.Lamp(x, 110, kMiddleWidth, state.routingOff, LampColour::Amber, "ROUTING OFF");
}

void PaintSampleRate(const StripCanvas& canvas, const CardView& view) {
    const int x = kMiddleColumn;
    canvas.Title(x, 136, kMiddleWidth, "SAMPLE RATE");
    canvas.Readout(x, 152, x + kMiddleWidth, 182);
    char digits[16];
    if (view.state.sampleRate > 0)
        std::snprintf(digits, sizeof digits, "%d", static_cast<int>(view.state.sampleRate));
    else
        std::snprintf(digits, sizeof digits, "-----");
    DrawSevenSegment(canvas.dc(), canvas.Box(x + 4, 155, x + kMiddleWidth - 26, 179), digits, 13, 20, kGreenLit,
                     kGreenUnlit);
    canvas.Text(canvas.fonts().title(), "Hz", x + kMiddleWidth - 26, 152, x + kMiddleWidth - 4, 182, kTitle,
                DT_RIGHT | DT_VCENTER);
    canvas.Lamp(x, 188, kMiddleWidth, view.blockRunning != 0, LampColour::Green, "BLOCK RUNNING");
    char note[64];
    if (view.state.unit.lastRateByte >= 0) {
        std::snprintf(note, sizeof note, "block %d Hz, byte %02X", static_cast<int>(view.blockSampleRate),
                      static_cast<unsigned>(view.state.unit.lastRateByte));
    } else {
        std::snprintf(note, sizeof note, "block %d Hz, no byte", static_cast<int>(view.blockSampleRate));
    }
    canvas.Text(canvas.fonts().note(), note, x, 202, x + kMiddleWidth + 8, 214, kLabelDim,
                DT_LEFT | DT_TOP | DT_END_ELLIPSIS);
}

void PaintUnit(const StripCanvas& canvas, const CardView& view, int pressedButton) {
    const SimUnitState& unit = view.state.unit;
    const int x = kRightColumn;
    const int w = kRightWidth;
    canvas.Title(x, 32, w, "EXTERNAL UNIT");
    if (unit.present)
        canvas.Lamp(x, 50, w, true, LampColour::Green, "PRESENT");
    else
        canvas.Lamp(x, 50, w, true, LampColour::Red, "UNPLUGGED");
    canvas.Lamp(x, 64, 80, unit.locked, LampColour::Amber, "LOCKED");
    char text[64];
    std::snprintf(text, sizeof text, "lock count %d", static_cast<int>(view.blockLockCount));
    canvas.Text(canvas.fonts().note(), text, x + 62, 65, x + w, 77, kLabelDim, DT_RIGHT | DT_TOP);
    canvas.Lamp(x, 78, w, unit.generatorRunning, LampColour::Green, "GENERATOR");

    const bool started = unit.frameRateMode >= 0;  // a start loaded since power-on
    canvas.Text(canvas.fonts().title(), "RATE", x, 96, x + 44, 109, kTitle, DT_LEFT | DT_TOP);
    std::snprintf(text, sizeof text, started ? "%s fps" : "none", FrameRateName(unit.frameRateMode));
    canvas.Text(canvas.fonts().label(), text, x + 44, 95, x + w, 108, started ? kLabelLit : kLabelDim,
                DT_LEFT | DT_TOP);
    canvas.Text(canvas.fonts().title(), "START", x, 111, x + 44, 124, kTitle, DT_LEFT | DT_TOP);
    const std::string start = started ? FormatTimecode(unit.startTime) : std::string("none");
    canvas.Text(canvas.fonts().mono(), start.c_str(), x + 44, 110, x + w, 123, started ? kLabelLit : kLabelDim,
                DT_LEFT | DT_TOP);

    const std::vector<MonitorButton>& buttons = CardStripButtons();
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i].kind != MonitorButtonKind::UnitPlug) continue;
        const MonitorRect& r = buttons[i].rect;
        DrawPushButton(canvas.dc(), canvas.fonts().title(), canvas.Box(r.left, r.top, r.right, r.bottom),
                       unit.present ? "UNPLUG UNIT" : "PLUG IN UNIT", pressedButton == static_cast<int>(i),
                       !unit.present);
    }
}

void PaintCommands(const StripCanvas& canvas, const CardView& view) {
    const int x = kRightColumn;
    canvas.Title(x, 162, kRightWidth, "LAST COMMANDS");
    const std::vector<UnitCommandEntry>& commands = view.commands;
    if (commands.empty()) {
        canvas.Text(canvas.fonts().label(), "none yet", x, 180, x + kRightWidth, 193, kLabelDim, DT_LEFT | DT_TOP);
        return;
    }
    int line = 0;
    for (auto it = commands.rbegin(); it != commands.rend() && line < kCommandLines; ++it, ++line) {
        const int y = 180 + line * kRowStep;
        // The newest is bright, older ones fade.
        const COLORREF colour = line == 0 ? kAmberLit : line < 3 ? kLabelLit : kLabelDim;
        canvas.Text(canvas.fonts().label(), it->brief.c_str(), x, y, x + kRightWidth, y + 13, colour,
                    DT_LEFT | DT_TOP | DT_END_ELLIPSIS);
    }
}

void PaintTimecode(const StripCanvas& canvas, const SimUnitState& unit) {
    const int x = kLeftColumn;
    canvas.Title(x, 216, kBottomWidth, "GENERATOR TIMECODE");
    const bool started = unit.frameRateMode >= 0;  // a start loaded since power-on
    char status[48];
    if (started) {
        std::snprintf(status, sizeof status, "%s FPS   %s", FrameRateName(unit.frameRateMode),
                      unit.generatorRunning ? "RUNNING" : "STOPPED");
    } else {
        std::snprintf(status, sizeof status, "NOT STARTED YET");
    }
    canvas.Text(canvas.fonts().title(), status, x + 120, 216, x + kBottomWidth, 228,
                unit.generatorRunning ? kAmberLit : kLabelDim, DT_RIGHT | DT_TOP);
    canvas.Readout(x, 232, x + kBottomWidth, 278);
    const std::string time = started ? FormatTimecode(unit.currentTime) : std::string("--:--:--:--");
    DrawSevenSegment(canvas.dc(), canvas.Box(x, 232, x + kBottomWidth, 278), time.c_str(), 19, 32,
                     unit.generatorRunning ? kAmberLit : kAmberIdle, kAmberUnlit);
}

void PaintRoutingButtons(const StripCanvas& canvas, const SimCardState& state, int pressedButton) {
    const int x = kLeftColumn;
    canvas.Title(x, 284, kBottomWidth, "DRIVER ROUTING NOTIFY");
    canvas.Text(canvas.fonts().note(), "message 1025", x, 284, x + kBottomWidth, 296, kLabelDim, DT_RIGHT | DT_TOP);

    const std::vector<MonitorButton>& buttons = CardStripButtons();
    int setLeft[2] = {kCardStripWidth, kCardStripWidth};
    int setRight[2] = {0, 0};
    for (size_t i = 0; i < buttons.size(); ++i) {
        const MonitorButton& b = buttons[i];
        if (b.kind == MonitorButtonKind::UnitPlug) continue;
        const bool on = b.kind == MonitorButtonKind::RouteOn;
        const int routed = b.set == 0 ? state.routeA : state.routeB;
        DrawPushButton(canvas.dc(), canvas.fonts().note(),
                       canvas.Box(b.rect.left, b.rect.top, b.rect.right, b.rect.bottom), OutputPairName(b.row),
                       pressedButton == static_cast<int>(i), on && routed == b.row);
        if (b.rect.left < setLeft[b.set]) setLeft[b.set] = b.rect.left;
        if (b.rect.right > setRight[b.set]) setRight[b.set] = b.rect.right;
        if (b.set == 0 && b.row == 0) {
            canvas.Text(canvas.fonts().title(), on ? "ON" : "OFF", x, b.rect.top, b.rect.left - 2, b.rect.bottom,
                        kTitle, DT_LEFT | DT_VCENTER);
        }
    }
    canvas.Text(canvas.fonts().title(), "SET A", setLeft[0], 298, setRight[0], 310, kTitle, DT_CENTER | DT_TOP);
    canvas.Text(canvas.fonts().title(), "SET B", setLeft[1], 298, setRight[1], 310, kTitle, DT_CENTER | DT_TOP);
}

}  // namespace

void PaintCardStrip(HDC dc, const MonitorFonts& fonts, int left, int top, const CardView& view, int pressedButton) {
    const StripCanvas canvas(dc, fonts, left, top);
    FillBox(dc, canvas.Box(0, 0, kCardStripWidth, kCardStripHeight), kStrip);
    FrameBox(dc, canvas.Box(0, 0, kCardStripWidth, kCardStripHeight), kStripEdge);
    PaintHeader(canvas, view);
    PaintInputs(canvas, view.state);
    PaintRouting(canvas, view.state);
    PaintSampleRate(canvas, view);
    PaintUnit(canvas, view, pressedButton);
    PaintCommands(canvas, view);
    PaintTimecode(canvas, view.state.unit);
    PaintRoutingButtons(canvas, view.state, pressedButton);
}
