#include "controls/toolkit_frame.h"

#include "controls/toolkit_procedures.h"

HINSTANCE toolkitInstance = NULL;
HFONT toolkitFont = NULL;

namespace {

enum ClassCursor { kArrowCursor, kSizeCursor };

struct ControlClass {
    const char* name;
    UINT style;
    ClassCursor cursor;
    WNDPROC procedure;  // NULL: class not built yet, not registered
};

constexpr UINT kControlStyle = CS_VREDRAW | CS_HREDRAW | CS_GLOBALCLASS;  // 0x4003
constexpr UINT kDoubleClickStyle = kControlStyle | CS_DBLCLKS;            // 0x400B

// In registration order.
const ControlClass kControlClasses[] = {
    {"Kiv_ButtonClass", kControlStyle, kArrowCursor, NULL},
    {"Kiv_StaticClass", kControlStyle, kArrowCursor, StaticBitmapWindowProc},
    {"Kiv_PopMenuClass", kControlStyle, kArrowCursor, NULL},
    {"Kiv_OnOffClass", kControlStyle, kArrowCursor, NULL},
    {"Kiv_TogleClass", kControlStyle, kArrowCursor, ToggleButtonWindowProc},
    {"Kiv_State3Class", kControlStyle, kArrowCursor, NULL},
    {"Kiv_VSClass", kDoubleClickStyle, kSizeCursor, VerticalSliderWindowProc},
    {"Kiv_HSClass", kControlStyle, kArrowCursor, HorizontalSliderWindowProc},
    {"Kiv_BmpListClass", kControlStyle, kArrowCursor, NULL},
    {"Kiv_DigitClass", kControlStyle, kArrowCursor, NULL},
    {"Kiv_BmpTextClass", kControlStyle, kArrowCursor, NULL},
    {"Kiv_BmpGageClass", kControlStyle, kArrowCursor, NULL},
    {"Kiv_KnobClass", kDoubleClickStyle, kSizeCursor, KnobWindowProc},
    {"Kiv_DigitExClass", kControlStyle, kSizeCursor, DigitFieldWindowProc},
    {"Kiv_SmallTextClass", kControlStyle, kArrowCursor, NULL},
};

// The program's "psize" cursor, or the arrow when the resources lack it.
HCURSOR LoadClassCursor(HINSTANCE instance, ClassCursor cursor) {
    if (cursor == kSizeCursor) {
        HCURSOR own = LoadCursorA(instance, "psize");
        if (own != NULL) {
            return own;
        }
    }
    return LoadCursorA(NULL, IDC_ARROW);
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
        if (control.procedure == NULL) {
            continue;
        }
        WNDCLASSA windowClass = {};
        windowClass.style = control.style;
        windowClass.lpfnWndProc = control.procedure;
        windowClass.cbClsExtra = 0;
        windowClass.cbWndExtra = 4;
        windowClass.hInstance = instance;
        windowClass.hIcon = NULL;
        windowClass.hCursor = LoadClassCursor(instance, control.cursor);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszMenuName = NULL;
        windowClass.lpszClassName = control.name;
        RegisterClassA(&windowClass);
    }
    // A second registration keeps the font it already has.
    if (toolkitFont == NULL) {
        toolkitFont = CreateToolkitFont();
    }
}

void UnregisterControlClasses() {
    for (const ControlClass& control : kControlClasses) {
        if (control.procedure != NULL) {
            UnregisterClassA(control.name, toolkitInstance);
        }
    }
    FreeSkinBitmaps();
    if (toolkitFont != NULL) {
        DeleteObject(toolkitFont);
        toolkitFont = NULL;
    }
}

void ToolkitTrace(const char* format, ...) {
    (void)format;
}
