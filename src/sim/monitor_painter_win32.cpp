#include "sim/monitor_painter_win32.h"

#include <cstring>
#include <initializer_list>

#include "win32/gdi_scope_win32.h"

namespace {

COLORREF Mix(COLORREF a, COLORREF b, int percentOfA) {
    const int p = percentOfA;
    return RGB((GetRValue(a) * p + GetRValue(b) * (100 - p)) / 100, (GetGValue(a) * p + GetGValue(b) * (100 - p)) / 100,
               (GetBValue(a) * p + GetBValue(b) * (100 - p)) / 100);
}

COLORREF LampLit(LampColour colour) {
    switch (colour) {
    case LampColour::Amber: return RGB(255, 176, 32);
    case LampColour::Red: return RGB(255, 72, 60);
    case LampColour::Green:
    default: return RGB(64, 236, 112);
    }
}

void Disc(HDC dc, int left, int top, int size, COLORREF fill, COLORREF edge) {
    OwnedGdiObject brush(CreateSolidBrush(PaletteColour(fill)));
    OwnedGdiObject pen(CreatePen(PS_SOLID, 1, PaletteColour(edge)));
    if (!brush || !pen) return;
    ScopedSelection useBrush(dc, brush.get());
    ScopedSelection usePen(dc, pen.get());
    Ellipse(dc, left, top, left + size, top + size);
}

// Segment bits: a top, b top right, c bottom right, d bottom, e bottom left,
// f top left, g middle.
enum : unsigned { kA = 1, kB = 2, kC = 4, kD = 8, kE = 16, kF = 32, kG = 64, kAll = 127 };

unsigned SegmentsOf(char c) {
    static const unsigned kDigits[] = {kA | kB | kC | kD | kE | kF, kB | kC,           kA | kB | kD | kE | kG,
                                       kA | kB | kC | kD | kG,      kB | kC | kF | kG, kA | kC | kD | kF | kG,
                                       kA | kC | kD | kE | kF | kG, kA | kB | kC,      kAll,
                                       kA | kB | kC | kD | kF | kG};
    if (c >= '0' && c <= '9') return kDigits[c - '0'];
    if (c == '-') return kG;
    return 0;
}

void HorizontalSegment(POINT* p, int x0, int x1, int yc, int t) {
    const int h = t / 2;
    p[0] = {x0 + h, yc};
    p[1] = {x0 + t, yc - h};
    p[2] = {x1 - t, yc - h};
    p[3] = {x1 - h, yc};
    p[4] = {x1 - t, yc + h};
    p[5] = {x0 + t, yc + h};
}

void VerticalSegment(POINT* p, int xc, int y0, int y1, int t) {
    const int h = t / 2;
    p[0] = {xc, y0 + h};
    p[1] = {xc + h, y0 + t};
    p[2] = {xc + h, y1 - t};
    p[3] = {xc, y1 - h};
    p[4] = {xc - h, y1 - t};
    p[5] = {xc - h, y0 + t};
}

// Where each segment of a digit cell lies: along a row (0 top, 1 middle,
// 2 bottom) from side to side, or down a side (0 left, 1 right) over the
// upper (0) or the lower (1) half. In drawing order.
struct SegmentPlace {
    unsigned bit;
    bool alongRow;
    int rowOrSide;
    int half;
};
constexpr SegmentPlace kSegmentPlaces[] = {
    {kA, true, 0, 0},  {kG, true, 1, 0},  {kD, true, 2, 0},  {kF, false, 0, 0},
    {kB, false, 1, 0}, {kE, false, 0, 1}, {kC, false, 1, 1},
};

// Draws the segments of `mask` of one digit cell with the brush selected.
void DigitSegments(HDC dc, int x, int y, int w, int h, int t, unsigned mask) {
    const int sides[] = {x + t / 2, x + w - t / 2 - 1};
    const int rows[] = {y + t / 2, y + h / 2, y + h - t / 2 - 1};
    POINT p[6];
    for (const SegmentPlace& place : kSegmentPlaces) {
        if ((mask & place.bit) == 0) continue;
        if (place.alongRow)
            HorizontalSegment(p, sides[0], sides[1], rows[place.rowOrSide], t);
        else
            VerticalSegment(p, sides[place.rowOrSide], rows[place.half], rows[place.half + 1], t);
        Polygon(dc, p, 6);
    }
}

}  // namespace

MonitorFonts::MonitorFonts()
    : title_(MakeFont(10, FW_BOLD, "Tahoma")),
      label_(MakeFont(11, FW_NORMAL, "Tahoma")),
      note_(MakeFont(10, FW_NORMAL, "Tahoma")),
      heading_(MakeFont(15, FW_BOLD, "Tahoma")),
      mono_(MakeFont(11, FW_BOLD, "Courier New")) {}

MonitorFonts::~MonitorFonts() {
    for (HFONT font : {title_, label_, note_, heading_, mono_})
        if (font != nullptr) DeleteObject(font);
}

void FillBox(HDC dc, const RECT& box, COLORREF colour) {
    OwnedGdiObject brush(CreateSolidBrush(PaletteColour(colour)));
    if (brush) FillRect(dc, &box, static_cast<HBRUSH>(brush.get()));
}

void FrameBox(HDC dc, const RECT& box, COLORREF colour) {
    OwnedGdiObject brush(CreateSolidBrush(PaletteColour(colour)));
    if (brush) FrameRect(dc, &box, static_cast<HBRUSH>(brush.get()));
}

void PutText(HDC dc, HFONT font, const char* text, const RECT& box, COLORREF colour, UINT format) {
    ScopedSelection useFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT area = box;
    // One line, unless the caller asks for the words to wrap.
    const UINT lines = (format & DT_WORDBREAK) != 0 ? 0 : DT_SINGLELINE;
    DrawTextA(dc, text, -1, &area, format | lines | DT_NOPREFIX);
}

void DrawSectionTitle(HDC dc, HFONT font, int x, int y, int width, const char* title) {
    PutText(dc, font, title, RECT{x, y, x + width, y + 12}, monitor_colours::kTitle, DT_LEFT | DT_TOP);
    FillBox(dc, RECT{x, y + 13, x + width, y + 14}, monitor_colours::kRule);
}

void DrawLamp(HDC dc, int x, int y, bool lit, LampColour colour) {
    const COLORREF on = LampLit(colour);
    if (lit) {
        // A soft halo, the lens, and a glint.
        Disc(dc, x - 2, y - 2, kLampSize + 4, Mix(on, monitor_colours::kStrip, 30),
             Mix(on, monitor_colours::kStrip, 30));
        Disc(dc, x, y, kLampSize, on, Mix(on, RGB(255, 255, 255), 70));
        Disc(dc, x + 2, y + 2, 3, Mix(on, RGB(255, 255, 255), 40), Mix(on, RGB(255, 255, 255), 40));
    } else {
        Disc(dc, x, y, kLampSize, Mix(on, RGB(30, 32, 36), 14), RGB(84, 89, 99));
    }
}

void DrawLampRow(HDC dc, HFONT font, int x, int y, int width, bool lit, LampColour colour, const char* label) {
    DrawLamp(dc, x, y + 2, lit, colour);
    PutText(dc, font, label, RECT{x + kLampSize + 6, y, x + width, y + 13},
            lit ? monitor_colours::kLabelLit : monitor_colours::kLabelDim, DT_LEFT | DT_TOP | DT_END_ELLIPSIS);
}

void DrawSevenSegment(HDC dc, const RECT& box, const char* text, int digitWidth, int digitHeight, COLORREF lit,
                      COLORREF unlit) {
    const int thickness = digitWidth / 5 > 2 ? digitWidth / 5 : 2;
    const int digitGap = thickness + 1;
    const int colonWidth = thickness * 2 + 2;
    int total = 0;
    for (const char* c = text; *c != '\0'; ++c) total += *c == ':' ? colonWidth : digitWidth + digitGap;
    if (total > 0 && text[std::strlen(text) - 1] != ':') total -= digitGap;
    int x = (box.left + box.right - total) / 2;
    const int y = (box.top + box.bottom - digitHeight) / 2;

    OwnedGdiObject litBrush(CreateSolidBrush(PaletteColour(lit)));
    OwnedGdiObject unlitBrush(CreateSolidBrush(PaletteColour(unlit)));
    if (!litBrush || !unlitBrush) return;
    ScopedSelection noPen(dc, GetStockObject(NULL_PEN));
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == ':') {
            ScopedSelection brush(dc, litBrush.get());
            const int dotLeft = x + (colonWidth - thickness) / 2;
            for (int dotTop : {y + digitHeight / 3 - thickness / 2, y + 2 * digitHeight / 3 - thickness / 2})
                Rectangle(dc, dotLeft, dotTop, dotLeft + thickness + 1, dotTop + thickness + 1);
            x += colonWidth;
            continue;
        }
        const unsigned mask = SegmentsOf(*c);
        {
            ScopedSelection brush(dc, unlitBrush.get());
            DigitSegments(dc, x, y, digitWidth, digitHeight, thickness, kAll & ~mask);
        }
        {
            ScopedSelection brush(dc, litBrush.get());
            DigitSegments(dc, x, y, digitWidth, digitHeight, thickness, mask);
        }
        x += digitWidth + digitGap;
    }
}

void DrawPushButton(HDC dc, HFONT font, const RECT& box, const char* text, bool pressed, bool lit) {
    const COLORREF face = lit ? RGB(150, 100, 12) : RGB(60, 65, 75);
    FillBox(dc, box, pressed ? Mix(face, RGB(0, 0, 0), 70) : face);
    // Bevel: light above and left, dark below and right; swapped while pressed.
    const COLORREF light = Mix(face, RGB(255, 255, 255), 60);
    const COLORREF dark = Mix(face, RGB(0, 0, 0), 45);
    const COLORREF topLeft = pressed ? dark : light;
    const COLORREF bottomRight = pressed ? light : dark;
    FillBox(dc, RECT{box.left, box.top, box.right, box.top + 1}, topLeft);
    FillBox(dc, RECT{box.left, box.top, box.left + 1, box.bottom}, topLeft);
    FillBox(dc, RECT{box.left, box.bottom - 1, box.right, box.bottom}, bottomRight);
    FillBox(dc, RECT{box.right - 1, box.top, box.right, box.bottom}, bottomRight);
    RECT label = box;
    if (pressed) OffsetRect(&label, 1, 1);
    PutText(dc, font, text, label, lit ? RGB(255, 236, 190) : RGB(222, 226, 232), DT_CENTER | DT_VCENTER);
}
