// Creating, using and destroying many controls leaves the process holding
// as many GDI and USER objects as before.
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>

#include "controls/digit_field.h"
#include "controls/static_bitmap.h"
#include "controls/toggle_button.h"
#include "support/desk_in_process.h"
#include "support/gui_object_counts.h"
#include "support/memory_settings_key.h"
#include "support/toolkit_fixture.h"

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

class ObjectBalanceTest : public ToolkitTest,
                          public ::testing::WithParamInterface<ControlLife> {
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
    std::printf("%s: GDI objects %ld -> %ld (%s), USER objects %ld -> %ld (%s)\n", life.name,
                before.gdi, after.gdi, CountMethodName(CountGdiObjects().method), before.user,
                after.user, CountMethodName(CountUserObjects().method));
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
        ControlLife{"static bitmap",
                    [](HINSTANCE instance, HWND parent) {
                        return CreateStaticBitmap(instance, parent, 12, 5, 5, "id1");
                    },
                    [](HWND label) {
                        SendMessageA(label, WM_SETICON, 0, reinterpret_cast<LPARAM>("id2"));
                        // A missing picture: the parent's background is painted
                        // (its box was shown once, during the warm-up).
                        SendMessageA(label, WM_SETICON, 0, reinterpret_cast<LPARAM>("no_label"));
                        InvalidateRect(label, NULL, TRUE);
                        UpdateWindow(label);
                    }},
        ControlLife{"digit field",
                    [](HINSTANCE instance, HWND parent) {
                        return CreateDigitField(instance, parent, 13, 5, 5, 50, 44, 0x00FF00, 0, 59, 0);
                    },
                    [](HWND field) {
                        Click(field, WM_LBUTTONDOWN, WM_LBUTTONUP);
                        UpdateWindow(field);
                        SendMessageA(field, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
                        UpdateWindow(field);
                        SendMessageA(field, SBM_SETPOS, 42, 0);
                        UpdateWindow(field);
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
        RedrawWindow(desk.window(), NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    for (int i = 0; i < 5; ++i) paintAll();
    const Counts before = Measure();
    for (int i = 0; i < 100; ++i) paintAll();
    const Counts after = Measure();
    desk.Stop();
    EXPECT_EQ(before.gdi, after.gdi);
}

}  // namespace
}  // namespace wintest
