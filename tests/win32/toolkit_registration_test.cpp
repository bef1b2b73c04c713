// Registration and unregistration of the toolkit's classes, the shared font
// and the palette that live between them, and what each class's drawing
// tells the trace hook.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "controls/toolkit_frame.h"
#include "support/gui_object_counts.h"
#include "support/toolkit_fixture.h"
#include "win32/program_palette_win32.h"

namespace {

enum class Cursor { kArrow, kSize };

struct ClassRow {
    const char* name;
    UINT style;
    Cursor cursor;
    // What the trace hook gets from a paint request (drawing flag 0) and
    // from a left press (flag 1 where the press draws with it); "" for none.
    const char* paintTrace;
    const char* pressTrace;
};

// Every class of the toolkit with its style, pointer and drawing trace. The
// trace is read from bare windows, whose blocks no creator has filled: the
// digit display shows its creation value, 359.
const ClassRow kClasses[] = {
    {"Kiv_ButtonClass", 0x4003, Cursor::kArrow, "Kiv_DrawButton\n", "Kiv_DrawButton\n"},
    {"Kiv_StaticClass", 0x4003, Cursor::kArrow, "Kiv_DrawStatic\n", ""},
    {"Kiv_PopMenuClass", 0x4003, Cursor::kArrow, "Kiv_DrawPopMenu\n", ""},
    {"Kiv_OnOffClass", 0x4003, Cursor::kArrow, "Kiv_DrawOnOff\n", "Kiv_DrawOnOff\n"},
    {"Kiv_TogleClass", 0x4003, Cursor::kArrow, "Kiv_DrawTogle\n", "Kiv_DrawTogle\n"},
    {"Kiv_State3Class", 0x4003, Cursor::kArrow, "Kiv_DrawState3\n", "Kiv_DrawState3\n"},
    {"Kiv_VSClass", 0x400B, Cursor::kSize, "Kiv_DrawVS 0\n", "Kiv_DrawVS 1\n"},
    {"Kiv_HSClass", 0x4003, Cursor::kArrow, "Kiv_DrawHS 0\n", "Kiv_DrawHS 1\n"},
    {"Kiv_BmpListClass", 0x4003, Cursor::kArrow, "Kiv_DrawBmpList\n", "Kiv_DrawBmpList\n"},
    {"Kiv_DigitClass", 0x4003, Cursor::kArrow, "Kiv_DrawDigit 359=359\n", ""},
    {"Kiv_BmpTextClass", 0x4003, Cursor::kArrow, "Kiv_DrawText\n", ""},
    {"Kiv_BmpGageClass", 0x4003, Cursor::kArrow, "Kiv_DrawGage\n", ""},
    {"Kiv_KnobClass", 0x400B, Cursor::kSize, "", ""},
    {"Kiv_DigitExClass", 0x4003, Cursor::kSize, "", ""},
    {"Kiv_SmallTextClass", 0x4003, Cursor::kArrow, "", ""},
};

HINSTANCE Program() { return GetModuleHandleA(nullptr); }

bool IsRegistered(HINSTANCE instance, const char* name) {
    WNDCLASSA info;
    return GetClassInfoA(instance, name, &info) != FALSE;
}

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterControlClasses(Program()); }
    void TearDown() override { UnregisterControlClasses(); }
};

TEST_F(RegistrationTest, RegistersEveryClassWithItsStyleAndPointer) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR size = LoadCursorA(Program(), "psize");
    ASSERT_NE(nullptr, size) << "the program's resources carry the psize pointer";
    ASSERT_NE(arrow, size);

    int registered = 0;
    for (const ClassRow& row : kClasses) {
        WNDCLASSA info;
        if (!GetClassInfoA(Program(), row.name, &info)) {
            continue;
        }
        ++registered;
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.style, info.style);
        EXPECT_EQ(row.cursor == Cursor::kSize ? size : arrow, info.hCursor);
        EXPECT_EQ(0, info.cbClsExtra);
        EXPECT_EQ(4, info.cbWndExtra);
        EXPECT_EQ(reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), info.hbrBackground);
        EXPECT_EQ(nullptr, info.hIcon);
        EXPECT_EQ(nullptr, info.lpszMenuName);
        EXPECT_NE(nullptr, info.lpfnWndProc);
    }
    EXPECT_EQ(15, registered) << "every class of the table is registered";
    EXPECT_EQ(Program(), toolkitInstance);
}

TEST_F(RegistrationTest, CreatesTheSharedFont) {
    ASSERT_NE(nullptr, toolkitFont);
    LOGFONTA font;
    ASSERT_EQ(static_cast<int>(sizeof font), GetObjectA(toolkitFont, sizeof font, &font));
    EXPECT_EQ(14, font.lfHeight);
    EXPECT_EQ(400, font.lfWeight);
    EXPECT_EQ(0, font.lfCharSet);
    EXPECT_STREQ("Arial", font.lfFaceName);
    EXPECT_EQ(0, font.lfWidth);
    EXPECT_EQ(0, font.lfEscapement);
    EXPECT_EQ(0, font.lfOrientation);
    EXPECT_EQ(0, font.lfItalic);
    EXPECT_EQ(0, font.lfUnderline);
    EXPECT_EQ(0, font.lfStrikeOut);
    EXPECT_EQ(0, font.lfOutPrecision);
    EXPECT_EQ(0, font.lfClipPrecision);
    EXPECT_EQ(0, font.lfQuality);
    EXPECT_EQ(0, font.lfPitchAndFamily);
}

TEST(UnregistrationTest, RemovesTheClassesAndFreesTheFontAndEveryBitmap) {
    const long before = wintest::CountGdiObjects().count;
    ASSERT_GE(before, 0);
    RegisterControlClasses(Program());
    ASSERT_NE(nullptr, LoadSkinBitmap(Program(), "btn_on").bitmap);
    ASSERT_NE(nullptr, LoadSkinBitmap(Program(), MAKEINTRESOURCEA(130)).bitmap);
    EXPECT_EQ(before + 3, wintest::CountGdiObjects().count) << "font, palette and the atlas of the two bitmaps";

    UnregisterControlClasses();
    for (const ClassRow& row : kClasses) {
        EXPECT_FALSE(IsRegistered(Program(), row.name)) << row.name;
    }
    EXPECT_EQ(nullptr, toolkitFont);
    EXPECT_EQ(nullptr, ProgramPalette());
    for (const SkinBitmapEntry& entry : skinBitmapCache) {
        EXPECT_EQ(nullptr, entry.image.bitmap);
        EXPECT_EQ('\0', entry.name[0]);
    }
    EXPECT_EQ(before, wintest::CountGdiObjects().count);

    // And the toolkit can be brought up again.
    RegisterControlClasses(Program());
    EXPECT_TRUE(IsRegistered(Program(), "Kiv_TogleClass"));
    EXPECT_NE(nullptr, toolkitFont);
    UnregisterControlClasses();
}

TEST(UnregistrationTest, RegisteringTwiceKeepsOneFont) {
    const long before = wintest::CountGdiObjects().count;
    RegisterControlClasses(Program());
    HFONT first = toolkitFont;
    RegisterControlClasses(Program());
    EXPECT_EQ(first, toolkitFont);
    UnregisterControlClasses();
    EXPECT_EQ(before, wintest::CountGdiObjects().count);
}

std::string traced;
void KeepTrace(const char* text) { traced += text; }

using TraceTest = wintest::ToolkitTest;

TEST_F(TraceTest, EachClassTracesItsTextWithItsFlag) {
    SetToolkitTraceSink(KeepTrace);
    for (const ClassRow& row : kClasses) {
        SCOPED_TRACE(row.name);
        HWND control = CreateWindowExA(0, row.name, "", WS_CHILD | WS_VISIBLE, 10, 10, 40, 40, parent(), nullptr,
                                       instance(), nullptr);
        ASSERT_NE(nullptr, control);
        traced.clear();
        UpdateWindow(control);
        EXPECT_EQ(row.paintTrace, traced) << "painted";
        traced.clear();
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_EQ(row.pressTrace, traced) << "pressed";
        ReleaseCapture();
        DestroyWindow(control);
    }
    SetToolkitTraceSink(nullptr);
}

TEST(CursorFallbackTest, ValueControlsGetTheArrowWhenThePsizePointerIsMissing) {
    // A module whose resources hold no psize pointer.
    HINSTANCE bare = GetModuleHandleA("kernel32.dll");
    ASSERT_NE(nullptr, bare);
    ASSERT_EQ(nullptr, LoadCursorA(bare, "psize"));
    RegisterControlClasses(bare);
    WNDCLASSA info;
    ASSERT_TRUE(GetClassInfoA(bare, "Kiv_DigitExClass", &info));
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), info.hCursor);
    UnregisterControlClasses();
    EXPECT_FALSE(GetClassInfoA(bare, "Kiv_DigitExClass", &info));
}

}  // namespace
