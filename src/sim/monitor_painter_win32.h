// Drawing pieces of the card monitor's instrument panel: section titles,
// lamps, seven-segment readouts and push buttons, in one dark palette. Every
// GDI object a piece makes is released before it returns.
#pragma once

#include <windows.h>

namespace monitor_colours {
constexpr COLORREF kWindow = RGB(20, 22, 26);
constexpr COLORREF kStrip = RGB(34, 37, 43);
constexpr COLORREF kStripEdge = RGB(62, 67, 77);
constexpr COLORREF kHeader = RGB(46, 50, 58);
constexpr COLORREF kTitle = RGB(140, 150, 165);
constexpr COLORREF kRule = RGB(58, 63, 72);
constexpr COLORREF kLabelLit = RGB(232, 235, 240);
constexpr COLORREF kLabelDim = RGB(112, 119, 130);
constexpr COLORREF kBadge = RGB(255, 176, 32);
constexpr COLORREF kReadoutBack = RGB(6, 8, 10);
constexpr COLORREF kReadoutEdge = RGB(70, 75, 85);
}  // namespace monitor_colours

enum class LampColour { Green, Amber, Red };

// The monitor's fonts, made once with the window and deleted with it.
class MonitorFonts {
public:
    MonitorFonts();
    ~MonitorFonts();
    MonitorFonts(const MonitorFonts&) = delete;
    MonitorFonts& operator=(const MonitorFonts&) = delete;

    HFONT title() const { return title_; }      // section titles, small bold capitals
    HFONT label() const { return label_; }      // lamp labels and values
    HFONT note() const { return note_; }        // notes
    HFONT heading() const { return heading_; }  // the card's name
    HFONT mono() const { return mono_; }        // hex and times

private:
    HFONT title_;
    HFONT label_;
    HFONT note_;
    HFONT heading_;
    HFONT mono_;
};

void FillBox(HDC dc, const RECT& box, COLORREF colour);
void FrameBox(HDC dc, const RECT& box, COLORREF colour);
// Text in `box` with DrawText's `format`: one line (DT_SINGLELINE is added)
// unless `format` has DT_WORDBREAK.
void PutText(HDC dc, HFONT font, const char* text, const RECT& box, COLORREF colour, UINT format);
// A section title with a rule under it, `width` wide from (x, y).
void DrawSectionTitle(HDC dc, HFONT font, int x, int y, int width, const char* title);
// A round lamp whose top-left corner is (x, y).
void DrawLamp(HDC dc, int x, int y, bool lit, LampColour colour);
constexpr int kLampSize = 9;
// A lamp with its label to the right, bright when lit.
void DrawLampRow(HDC dc, HFONT font, int x, int y, int width, bool lit, LampColour colour, const char* label);
// Seven-segment digits centred in `box`: digits, '-', ' ' and ':'. Unlit
// segments are drawn faintly, as on a real display.
void DrawSevenSegment(HDC dc, const RECT& box, const char* text, int digitWidth, int digitHeight, COLORREF lit,
                      COLORREF unlit);
// A push button; `lit` gives it the amber face of a lit key.
void DrawPushButton(HDC dc, HFONT font, const RECT& box, const char* text, bool pressed, bool lit);
