#include "controls/toolkit_frame.h"

#include "controls/toolkit_procedures.h"
#include "win32/back_buffer_win32.h"
#include "win32/program_palette_win32.h"

#include <cstdarg>

HINSTANCE toolkitInstance = nullptr;
HFONT toolkitFont = nullptr;

namespace {

enum ClassCursor { kArrowCursor, kSizeCursor };

struct ControlClass {
    const char* name;
    UINT style;
    ClassCursor cursor;
    WNDPROC procedure;
};

constexpr UINT kControlStyle = CS_VREDRAW | CS_HREDRAW | CS_GLOBALCLASS;  // 0x4003
constexpr UINT kDoubleClickStyle = kControlStyle | CS_DBLCLKS;            // 0x400B

// In registration order.
const ControlClass kControlClasses[] = {
    {"Kiv_ButtonClass", kControlStyle, kArrowCursor, PushButtonWindowProc},
    {"Kiv_StaticClass", kControlStyle, kArrowCursor, StaticBitmapWindowProc},
    {"Kiv_PopMenuClass", kControlStyle, kArrowCursor, PopupMenuSelectorWindowProc},
    {"Kiv_OnOffClass", kControlStyle, kArrowCursor, OnOffSwitchWindowProc},
    {"Kiv_TogleClass", kControlStyle, kArrowCursor, ToggleButtonWindowProc},
    {"Kiv_State3Class", kControlStyle, kArrowCursor, ThreeStateButtonWindowProc},
    {"Kiv_VSClass", kDoubleClickStyle, kSizeCursor, VerticalSliderWindowProc},
    {"Kiv_HSClass", kControlStyle, kArrowCursor, HorizontalSliderWindowProc},
    {"Kiv_BmpListClass", kControlStyle, kArrowCursor, BitmapListWindowProc},
    {"Kiv_DigitClass", kControlStyle, kArrowCursor, DigitDisplayWindowProc},
    {"Kiv_BmpTextClass", kControlStyle, kArrowCursor, BitmapTextWindowProc},
    {"Kiv_BmpGageClass", kControlStyle, kArrowCursor, BitmapGaugeWindowProc},
    {"Kiv_KnobClass", kDoubleClickStyle, kSizeCursor, KnobWindowProc},
    {"Kiv_DigitExClass", kControlStyle, kSizeCursor, DigitFieldWindowProc},
    {"Kiv_SmallTextClass", kControlStyle, kArrowCursor, SmallTextWindowProc},
};

// The program's "psize" cursor, or the arrow when the resources lack it.
HCURSOR LoadClassCursor(HINSTANCE instance, ClassCursor cursor) {
    if (cursor == kSizeCursor) {
        HCURSOR own = LoadCursorA(instance, "psize");
        if (own != nullptr) return own;
    }
    return LoadCursorA(nullptr, IDC_ARROW);
}

HFONT CreateToolkitFont() {
    LOGFONTA description = {};
    description.lfHeight = 14;
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = ANSI_CHARSET;
    lstrcpynA(description.lfFaceName, "Arial", LF_FACESIZE);
    return CreateFontIndirectA(&description);
}

}  // namespace

void RegisterControlClasses(HINSTANCE instance) {
    toolkitInstance = instance;
    for (const ControlClass& control : kControlClasses) {
        WNDCLASSA windowClass = {};
        windowClass.style = control.style;
        windowClass.lpfnWndProc = control.procedure;
        windowClass.cbClsExtra = 0;
        windowClass.cbWndExtra = 4;
        windowClass.hInstance = instance;
        windowClass.hIcon = nullptr;
        windowClass.hCursor = LoadClassCursor(instance, control.cursor);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszMenuName = nullptr;
        windowClass.lpszClassName = control.name;
        RegisterClassA(&windowClass);
    }
    // A second registration keeps the font and the palette it already has.
    if (toolkitFont == nullptr) toolkitFont = CreateToolkitFont();
    if (ProgramPalette() == nullptr) SetProgramPalette(CreateSkinPalette(instance));
}

void UnregisterControlClasses() {
    for (const ControlClass& control : kControlClasses) UnregisterClassA(control.name, toolkitInstance);
    // The kept back buffer and the context of the copies hold the palette:
    // they go first.
    FreeKeptBackBuffer();
    FreeSkinBitmaps();
    if (toolkitFont != nullptr) {
        DeleteObject(toolkitFont);
        toolkitFont = nullptr;
    }
    // Every context that selected the palette has put it back by now.
    if (HPALETTE palette = ProgramPalette()) {
        SetProgramPalette(nullptr);
        DeleteObject(palette);
    }
}

namespace {
ToolkitTraceSink traceSink = nullptr;
}  // namespace

void SetToolkitTraceSink(ToolkitTraceSink sink) { traceSink = sink; }

void ToolkitTrace(const char* format, ...) {
    // Without a sink (always in the desk) the call does nothing at all.
    if (traceSink == nullptr) return;
    char text[1025];  // wvsprintfA writes at most 1024 characters and the terminator
    va_list arguments;
    va_start(arguments, format);
    wvsprintfA(text, format, arguments);
    va_end(arguments);
    traceSink(text);
}
