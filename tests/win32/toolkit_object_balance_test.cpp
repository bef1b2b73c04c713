// Creating, using and destroying many controls leaves the process holding
// as many GDI and USER objects as before.
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>

#include "controls/bitmap_gauge.h"
#include "controls/bitmap_list.h"
#include "controls/bitmap_text.h"
#include "controls/control_input.h"
#include "controls/digit_display.h"
#include "controls/digit_field.h"
#include "controls/horizontal_slider.h"
#include "controls/knob.h"
#include "controls/on_off_switch.h"
#include "controls/popup_menu_selector.h"
#include "controls/push_button.h"
#include "controls/small_text.h"
#include "controls/static_bitmap.h"
#include "controls/three_state_button.h"
#include "controls/toggle_button.h"
#include "controls/vertical_slider.h"
#include "support/desk_in_process.h"
#include "support/gui_object_counts.h"
#include "support/memory_settings_key.h"
#include "support/pixel_checks.h"
#include "support/toolkit_fixture.h"
#include "win32/back_buffer_win32.h"

namespace wintest {
namespace {

constexpr int kRounds = 1000;

struct Counts {
    long gdi;
    long user;
};

Counts Measure() {
    const GuiObjectCount gdi = CountGdiObjects();
    const GuiObjectCount user = CountUserObjects();
    return {gdi.count, user.count};
}

struct ControlLife {
    const char* name;
    std::function<HWND(HINSTANCE, HWND)> create;
    std::function<void(HWND)> use;  // exercises every drawing path
};

void PrintTo(const ControlLife& life, std::ostream* out) { *out << life.name; }

class ObjectBalanceTest : public ToolkitTest, public ::testing::WithParamInterface<ControlLife> {
protected:
    void Cycle(const ControlLife& life) {
        HWND control = life.create(instance(), parent());
        ASSERT_NE(nullptr, control);
        UpdateWindow(control);
        life.use(control);
        PumpMessages();
        DestroyWindow(control);
    }
};

TEST_P(ObjectBalanceTest, AThousandControlsLeaveNoObjectBehind) {
    const ControlLife& life = GetParam();
    // Warm up: the cache loads its bitmaps and the system sets up whatever it
    // keeps for the first drawing; neither is a per-control cost.
    for (int i = 0; i < 5; ++i) {
        Cycle(life);
    }
    const Counts before = Measure();
    ASSERT_GE(before.gdi, 0);
    for (int i = 0; i < kRounds; ++i) {
        Cycle(life);
        if (HasFatalFailure()) {
            return;
        }
    }
    const Counts after = Measure();
    std::printf("%s: GDI objects %ld -> %ld (%s), USER objects %ld -> %ld (%s)\n", life.name, before.gdi, after.gdi,
                CountMethodName(CountGdiObjects().method), before.user, after.user,
                CountMethodName(CountUserObjects().method));
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
}

// Wine frees a window's device contexts with the window, so a context that
// a redraw forgets to release would not show after the destruction above:
// count while the control lives.
TEST_P(ObjectBalanceTest, RedrawingALiveControlLeavesNoObjectBehind) {
    const ControlLife& life = GetParam();
    HWND control = life.create(instance(), parent());
    ASSERT_NE(nullptr, control);
    for (int i = 0; i < 5; ++i) {
        life.use(control);
        PumpMessages();
    }
    const Counts before = Measure();
    for (int i = 0; i < 200; ++i) {
        life.use(control);
        PumpMessages();
    }
    const Counts after = Measure();
    DestroyWindow(control);
    EXPECT_EQ(before.gdi, after.gdi) << life.name;
}

// The keyboard's share: the focus mark drawn and erased, the keys the
// classes take, and every drawing path of `use` with the mark on.
TEST_P(ObjectBalanceTest, WorkingALiveControlFromTheKeyboardLeavesNoObjectBehind) {
    const ControlLife& life = GetParam();
    HWND control = life.create(instance(), parent());
    ASSERT_NE(nullptr, control);
    auto round = [&] {
        SetFocusMarks(true);
        SetFocus(control);
        for (WPARAM key : {VK_DOWN, VK_UP, VK_LEFT, VK_RIGHT, VK_DELETE}) SendMessageA(control, WM_KEYDOWN, key, 0);
        SendMessageA(control, WM_CHAR, '5', 0);
        life.use(control);
        SetFocus(parent());
        SetFocusMarks(false);
        PumpMessages();
    };
    for (int i = 0; i < 5; ++i) round();
    const Counts before = Measure();
    for (int i = 0; i < 200; ++i) round();
    const Counts after = Measure();
    DestroyWindow(control);
    EXPECT_EQ(before.gdi, after.gdi) << life.name;
    EXPECT_EQ(before.user, after.user) << life.name;
}

void Click(HWND control, UINT down, UINT up) {
    SendMessageA(control, down, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(control, up, 0, MAKELPARAM(2, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ObjectBalanceTest,
    ::testing::Values(
        ControlLife{"toggle",
                    [](HINSTANCE instance, HWND parent) {
                        return CreateToggle(instance, parent, 11, 5, 5, "btn_on", "btn_off");
                    },
                    [](HWND toggle) {
                        Click(toggle, WM_LBUTTONDOWN, WM_LBUTTONUP);
                        SendMessageA(toggle, BM_SETCHECK, 0, 0);
                        SendMessageA(toggle, WM_RBUTTONUP, 0, 0);
                    }},
        ControlLife{
            "static bitmap",
            [](HINSTANCE instance, HWND parent) { return CreateStaticBitmap(instance, parent, 12, 5, 5, "id1"); },
            [](HWND label) {
                SendMessageA(label, WM_SETICON, 0, reinterpret_cast<LPARAM>("id2"));
                // A missing picture: the parent's background is painted
                // (its box was shown once, during the warm-up).
                SendMessageA(label, WM_SETICON, 0, reinterpret_cast<LPARAM>("no_label"));
                InvalidateRect(label, nullptr, TRUE);
                UpdateWindow(label);
            }},
        ControlLife{"digit field",
                    [](HINSTANCE instance, HWND parent) {
                        return CreateDigitField(instance, parent, 13, 5, 5, {50, 44, 0x00FF00, 0, 59, 0});
                    },
                    [](HWND field) {
                        Click(field, WM_LBUTTONDOWN, WM_LBUTTONUP);
                        UpdateWindow(field);
                        SendMessageA(field, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
                        UpdateWindow(field);
                        SendMessageA(field, SBM_SETPOS, 42, 0);
                        UpdateWindow(field);
                    }},
        ControlLife{"three state button",
                    [](HINSTANCE instance, HWND parent) {
                        ThreeStateButtonArgs args = {
                            {LoadSkinBitmap(instance, "btn_off"), LoadSkinBitmap(instance, "btn_on"),
                             LoadSkinBitmap(instance, "id1")},
                            0};
                        return CreateThreeStateButton(instance, parent, 14, 5, 5, args);
                    },
                    [](HWND button) {
                        for (int i = 0; i < 3; ++i) Click(button, WM_LBUTTONDOWN, WM_LBUTTONUP);
                        SendMessageA(button, BM_SETCHECK, 5, 0);
                        InvalidateRect(button, nullptr, TRUE);
                        UpdateWindow(button);
                    }},
        ControlLife{"on off switch",
                    [](HINSTANCE instance, HWND parent) { return CreateOnOffSwitch(instance, parent, 15, 5, 5); },
                    [](HWND control) {
                        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
                        SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0xFFF0, 2));
                        SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(0xFFF0, 2));
                        SendMessageA(control, BM_SETCHECK, 1, 0);
                        InvalidateRect(control, nullptr, TRUE);
                        UpdateWindow(control);
                    }},
        ControlLife{"bitmap list",
                    [](HINSTANCE instance, HWND parent) {
                        SkinImage pictures[3] = {LoadSkinBitmap(instance, "btn_on"),
                                                 LoadSkinBitmap(instance, "btn_off"), LoadSkinBitmap(instance, "id1")};
                        return CreateBitmapList(instance, parent, 16, 5, 5, pictures, 3, 0);
                    },
                    [](HWND list) {
                        Click(list, WM_LBUTTONDOWN, WM_LBUTTONUP);
                        SendMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
                        SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
                        SendMessageA(list, SBM_SETPOS, 2, 0);
                        InvalidateRect(list, nullptr, TRUE);
                        UpdateWindow(list);
                    }},
        ControlLife{
            "bitmap gauge",
            [](HINSTANCE instance, HWND parent) { return CreateBitmapGauge(instance, parent, 17, 5, 5, 200, 12, 33); },
            [](HWND gauge) {
                SendMessageA(gauge, SBM_SETPOS, 150, 0);
                SendMessageA(gauge, SBM_SETPOS, static_cast<WPARAM>(-10), 0);
                InvalidateRect(gauge, nullptr, TRUE);
                UpdateWindow(gauge);
            }},
        ControlLife{"digit display",
                    [](HINSTANCE instance, HWND parent) {
                        return CreateDigitDisplay(instance, parent, 18, 5, 5, LoadSkinBitmap(instance, "mainbak"));
                    },
                    [](HWND display) {
                        SendMessageA(display, SBM_SETPOS, 42, 0);
                        SendMessageA(display, SBM_SETPOS, 1234, 0);
                        InvalidateRect(display, nullptr, TRUE);
                        UpdateWindow(display);
                    }},
        ControlLife{
            "digit display without strip",
            [](HINSTANCE instance, HWND parent) { return CreateDigitDisplay(instance, parent, 19, 5, 5, nullptr); },
            [](HWND display) {
                SendMessageA(display, SBM_SETPOS, 42, 0);
                InvalidateRect(display, nullptr, TRUE);
                UpdateWindow(display);
            }},
        ControlLife{"push button",
                    [](HINSTANCE instance, HWND parent) {
                        return CreatePushButton(instance, parent, 20, 5, 5, LoadSkinBitmap(instance, "push_released"),
                                                LoadSkinBitmap(instance, "push_pressed"));
                    },
                    [](HWND button) {
                        Click(button, WM_LBUTTONDOWN, WM_LBUTTONUP);
                        SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
                        SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0xFFF0, 2));
                        SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(0xFFF0, 2));
                        InvalidateRect(button, nullptr, TRUE);
                        UpdateWindow(button);
                    }},
        ControlLife{"popup menu selector",
                    [](HINSTANCE instance, HWND parent) {
                        static const char* const kItems[] = {"44.1 kHz", "48 kHz", "96 kHz"};
                        PopupMenuSelectorArgs args = {LoadSkinBitmap(instance, "popmenu_face"),
                                                      kItems,
                                                      3,
                                                      1,
                                                      LoadSkinBitmap(instance, "opener_released"),
                                                      LoadSkinBitmap(instance, "opener_pressed")};
                        return CreatePopupMenuSelector(instance, parent, 21, 5, 5, args);
                    },
                    [](HWND selector) {
                        SendMessageA(selector, SBM_SETPOS, 2, 0);
                        SendMessageA(selector, SBM_SETPOS, 7, 0);  // no item there: an empty text
                        InvalidateRect(selector, nullptr, TRUE);
                        UpdateWindow(selector);
                    }},
        ControlLife{"small text",
                    [](HINSTANCE instance, HWND parent) {
                        return CreateSmallText(instance, parent, 22, 5, 5, 75, 16, "Small text", RGB(255, 255, 0),
                                               RGB(0, 0, 64));
                    },
                    [](HWND text) {
                        SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Another text"));
                        InvalidateRect(text, nullptr, TRUE);
                        UpdateWindow(text);
                    }},
        ControlLife{"bitmap text",
                    [](HINSTANCE instance, HWND parent) {
                        return CreateBitmapText(instance, parent, 23, 5, 5, LoadSkinBitmap(instance, "glyph_strip"), 12,
                                                "Bitmap text", "Level 42");
                    },
                    [](HWND text) {
                        SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("mixed Case?"));
                        InvalidateRect(text, nullptr, TRUE);
                        UpdateWindow(text);
                    }},
        ControlLife{"vertical slider",
                    [](HINSTANCE instance, HWND parent) {
                        VerticalSliderArgs args = {100,
                                                   10,
                                                   127,
                                                   64,
                                                   4,
                                                   LoadSkinBitmap(instance, "vs_rail"),
                                                   LoadSkinBitmap(instance, "vs_thumb"),
                                                   LoadSkinBitmap(instance, "vs_thumb_focus"),
                                                   nullptr};
                        return CreateVerticalSlider(instance, parent, 24, 5, 5, args);
                    },
                    [](HWND slider) {
                        SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 40));
                        SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 60));
                        SendMessageA(slider, WM_LBUTTONUP, 0, MAKELPARAM(5, 60));
                        SendMessageA(slider, WM_KEYDOWN, VK_UP, 0);
                        SendMessageA(slider, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
                        SendMessageA(slider, SBM_SETPOS, 10, 0);
                        UpdateWindow(slider);
                    }},
        ControlLife{"horizontal slider",
                    [](HINSTANCE instance, HWND parent) {
                        HorizontalSliderArgs args = {0,
                                                     80,
                                                     100,
                                                     50,
                                                     LoadSkinBitmap(instance, "hs_rail"),
                                                     LoadSkinBitmap(instance, "hs_thumb"),
                                                     LoadSkinBitmap(instance, "hs_thumb_focus")};
                        return CreateHorizontalSlider(instance, parent, 25, 5, 5, args);
                    },
                    [](HWND slider) {
                        SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
                        SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 5));
                        SendMessageA(slider, WM_LBUTTONUP, 0, MAKELPARAM(60, 5));
                        SendMessageA(slider, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WHEEL_DELTA)), 0);
                        SendMessageA(slider, SBM_SETPOS, 10, 0);
                        UpdateWindow(slider);
                    }},
        ControlLife{"knob",
                    [](HINSTANCE instance, HWND parent) {
                        KnobArgs args = {48,
                                         48,
                                         0,
                                         100,
                                         50,
                                         5,
                                         LoadSkinBitmap(instance, "knob_dot"),
                                         LoadSkinBitmap(instance, "knob_dot_focus"),
                                         CaptureParentArea(parent, 5, 5, 48, 48)};
                        return CreateKnob(instance, parent, 26, 5, 5, args);
                    },
                    [](HWND knob) {
                        SendMessageA(knob, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
                        SendMessageA(knob, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 10));
                        SendMessageA(knob, WM_LBUTTONUP, 0, MAKELPARAM(40, 10));
                        SendMessageA(knob, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WHEEL_DELTA)), 0);
                        SendMessageA(knob, SBM_SETPOS, 20, 0);
                        UpdateWindow(knob);
                    }}),
    [](const ::testing::TestParamInfo<ControlLife>& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (c == ' ') c = '_';
        }
        return name;
    });

TEST(MainWindowBalanceTest, PaintingTheDeskLeavesNoObjectBehind) {
    MemorySettingsKey key;
    LeapingClock clock;
    InProcessDesk desk(0x3, &key, &clock);
    ASSERT_TRUE(desk.Start());
    ShowWindow(desk.window(), SW_SHOWNORMAL);
    auto paintAll = [&] {
        RedrawWindow(desk.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    for (int i = 0; i < 5; ++i) paintAll();
    const Counts before = Measure();
    for (int i = 0; i < 100; ++i) paintAll();
    const Counts after = Measure();
    desk.Stop();
    EXPECT_EQ(before.gdi, after.gdi);
}

// The picture paints compose in: kept from paint to paint (made once, grown
// when a larger one is asked for), lent to one paint at a time (a paint
// within a paint gets one of its own, given back with it), and what is drawn
// in it reaches the target, from the first paint on.
TEST(BackBufferTest, KeptLentOnceAtATimeAndCopiedWhole) {
    FreeKeptBackBuffer();
    const PixelImage drawn = Render(20, 10, [&](HDC target) {
        const long before = Measure().gdi;
        HDC kept = nullptr;
        {
            BackBuffer first(target, 20, 10);
            ASSERT_TRUE(first.Ready());
            kept = first.dc();
            const RECT all = {0, 0, 20, 10};
            FillRect(first.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            {
                BackBuffer within(target, 4, 4);
                ASSERT_TRUE(within.Ready());
                EXPECT_NE(within.dc(), kept) << "lent to one paint at a time";
            }
            EXPECT_EQ(Measure().gdi, before + 2) << "the one within gave its own back";
            first.CopyToTarget();
        }
        BackBuffer larger(target, 30, 12);
        EXPECT_EQ(Measure().gdi, before + 2) << "grown, not added to";
        BackBuffer smaller(target, 8, 8);
        EXPECT_NE(smaller.dc(), larger.dc());
    });
    EXPECT_EQ(drawn, SolidImage(20, 10, RGB(255, 255, 255)));
    const long kept = Measure().gdi;
    FreeKeptBackBuffer();
    EXPECT_EQ(Measure().gdi, kept - 2) << "freed with the toolkit";
}

}  // namespace
}  // namespace wintest
