// A long day at the desk: the real desk with four simulated cards takes
// 10,000 random clicks on the toggles and digit fields of its four columns
// (the show/hide toggles get the show and hide cycles instead) and 1,000
// show and hide cycles, and afterwards holds exactly as many GDI and USER
// objects and as much heap as it did right after start-up.
//
// Heap in use is the sum of the busy blocks of every heap of the process
// (HeapWalk over GetProcessHeaps; see support/heap_in_use.h), which works the
// same under Wine as on Windows and sees the controls' state blocks, the C
// runtime's allocations and Wine's own USER and GDI bookkeeping. No
// tolerance is needed: Wine allocates nothing per click or per cycle that it
// does not give back.
//
// The level to return to is taken once the panel has been opened and closed
// for the first time. The first showing of a top-level window makes Wine set
// up what it keeps for the process and the window from then on (X11 window,
// surface, display DCs: a dozen GDI objects and under 2 KB of heap here; a
// plain window of another class grows the same way at its first showing).
// The timecode rows are shown and hidden once too, so that every kind of
// control has painted: the controls keep one paint buffer from paint to paint
// (made at the first paint that composes off screen, two GDI objects). Both
// levels are printed.
//
// The generator's start toggle is among the clicked toggles; the desk runs on
// a clock that leaps 32 ms per reading, so the unit's settle waits after a
// lock or unlock end at once instead of costing 32 ms of real time each.
//
// Repainting the whole window (150 controls) three times per show and hide
// cycle would take several minutes under Wine, so every fiftieth cycle is
// painted in full and the others dispatch only the posted and sent messages
// (the notifications); the controls' own drawing runs at every click either
// way, since a toggle draws itself at once.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <vector>

#include "app/desk_messages.h"
#include "desk_test_hooks.h"
#include "panel/card_panel.h"
#include "settings/settings_store.h"
#include "support/desk_in_process.h"
#include "support/gui_object_counts.h"
#include "support/heap_in_use.h"
#include "support/memory_settings_key.h"
#include "support/message_pump.h"
#include "support/wine_window_manager.h"

namespace wintest {
namespace {

constexpr int kClicks = 10000;
constexpr int kShowHideCycles = 1000;
constexpr unsigned kSeed = 20001;
constexpr UINT kTrayIconId = 0x507;
constexpr int kPaintedCycleEvery = 50;

struct Level {
    long gdi;
    long user;
    HeapInUse heap;
};

Level Measure() {
    PumpMessages();
    return {CountGdiObjects().count, CountUserObjects().count, MeasureHeapInUse()};
}

void Print(const char* when, const Level& level) {
    std::printf("%-16s GDI %ld (%s), USER %ld (%s), heap %llu bytes in %lu blocks over %u heaps\n", when, level.gdi,
                CountMethodName(CountGdiObjects().method), level.user, CountMethodName(CountUserObjects().method),
                level.heap.bytes, level.heap.blocks, level.heap.heaps);
}

int ClientHeight(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return client.bottom - client.top;
}

class LeakSoakTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { KeepWindowsUnmanagedUnderWine(); }
    // The key already holds the four records, as after an earlier run: the
    // desk stores a record as soon as a click changes it, and the first such
    // store would otherwise add the key's own entry, which is no leak.
    void SetUp() override {
        for (const char* name : {"Mixer20", "Mixer21", "Mixer22", "Mixer23"}) {
            const uint8_t* record = reinterpret_cast<const uint8_t*>(&kDefaultRecord);
            key.values[name] = {kRegBinary, std::vector<uint8_t>(record, record + sizeof(MixerSettings))};
        }
        ASSERT_TRUE(desk.Start());
    }
    void TearDown() override { desk.Stop(); }

    void Pump(bool paint) {
        if (paint) {
            PumpMessages();
        } else {
            PumpPostedMessages();
        }
    }
    void Show(bool rightButton, bool paint = true) {
        PostMessageA(desk.window(), kWmTrayNotify, kTrayIconId, rightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN);
        Pump(paint);
    }
    void Hide(bool paint = true) {
        PostMessageA(desk.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump(paint);
    }
    void ClickToggle(HWND toggle, bool paint) {
        PostMessageA(toggle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        PostMessageA(toggle, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        Pump(paint);
    }
    bool Visible() const { return IsWindowVisible(desk.window()) != FALSE; }

    MemorySettingsKey key;
    LeapingClock clock;
    InProcessDesk desk{0xF, &key, &clock};
};

TEST_F(LeakSoakTest, ClicksAndShowHideCyclesLeaveObjectsAndHeapWhereStartUpLeftThem) {
    ASSERT_EQ(desk.cardCount(), 4);
    std::vector<HWND> toggles;
    std::vector<HWND> digitFields;
    for (const PanelControl& control : desk.controls()) {
        // The show/hide toggles have the cycles below to themselves: each of
        // their clicks resizes and repaints the whole window.
        if (control.kind == PanelControlKind::kToggle && control.baseId != kBaseShowHide) {
            toggles.push_back(control.window);
        }
        if (control.kind == PanelControlKind::kDigitField) digitFields.push_back(control.window);
    }
    // 28 toggles (27 without show/hide) and 4 digit fields per column.
    ASSERT_EQ(toggles.size(), 4u * 27u);
    ASSERT_EQ(digitFields.size(), 4u * 4u);
    HWND showHide[4];
    for (int c = 0; c < 4; ++c) {
        showHide[c] = desk.Control(c, kBaseShowHide);
        ASSERT_NE(showHide[c], nullptr);
    }
    const int shortHeight = ClientHeight(desk.window());

    Print("after start-up", Measure());
    Show(false);
    ClickToggle(showHide[0], true);
    ClickToggle(showHide[0], true);
    Hide();
    const Level startUp = Measure();
    Print("after first show", startUp);
    ASSERT_GE(startUp.gdi, 0);

    // Random clicks with the panel open, as a user would make them.
    const DWORD clicksStarted = GetTickCount();
    std::mt19937 random(kSeed);
    Show(false);
    const bool shownForClicks = Visible();
    int toggleClicks = 0;
    int fieldClicks = 0;
    for (int i = 0; i < kClicks; ++i) {
        if (random() % 8 != 0) {
            HWND toggle = toggles[random() % toggles.size()];
            if (random() % 4 != 0) {
                LeftClick(toggle);
            } else {
                RightClick(toggle);
            }
            ++toggleClicks;
        } else {
            HWND field = digitFields[random() % digitFields.size()];
            switch (random() % 3) {
            case 0:
                PostMessageA(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                PostMessageA(field, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
                break;
            case 1:
                PostMessageA(field, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
                PostMessageA(field, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
                break;
            default: {
                const short delta = random() % 2 ? WHEEL_DELTA : -WHEEL_DELTA;
                PostMessageA(field, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(5, 5));
                break;
            }
            }
            PumpMessages();
            ++fieldClicks;
        }
    }
    Hide();
    const DWORD clicksTook = GetTickCount() - clicksStarted;
    const Level afterClicks = Measure();
    Print("after clicks", afterClicks);

    // Show and hide: the tray icon opens the panel, the show/hide toggle
    // shows and hides the timecode row, the close command hides the panel.
    const DWORD cyclesStarted = GetTickCount();
    int notShown = 0;
    int rowNotShown = 0;
    int notHidden = 0;
    for (int i = 0; i < kShowHideCycles; ++i) {
        const bool paint = i % kPaintedCycleEvery == 0;
        Show(i % 2 == 1, paint);
        if (!Visible()) ++notShown;
        ClickToggle(showHide[i % 4], paint);
        if (ClientHeight(desk.window()) != shortHeight + 100) ++rowNotShown;
        ClickToggle(showHide[(i + 1) % 4], paint);
        Hide(paint);
        if (Visible() || ClientHeight(desk.window()) != shortHeight) ++notHidden;
    }
    const DWORD cyclesTook = GetTickCount() - cyclesStarted;

    const Level end = Measure();
    Print("after cycles", end);
    std::printf("%d toggle clicks and %d digit-field clicks took %lu ms; %d show/hide cycles took %lu ms\n",
                toggleClicks, fieldClicks, static_cast<unsigned long>(clicksTook), kShowHideCycles,
                static_cast<unsigned long>(cyclesTook));

    EXPECT_TRUE(shownForClicks);
    EXPECT_EQ(notShown, 0) << "cycles in which the tray click did not show the panel";
    EXPECT_EQ(rowNotShown, 0) << "cycles in which the show/hide toggle did not show the timecode row";
    EXPECT_EQ(notHidden, 0) << "cycles that did not end hidden and in the short form";
    EXPECT_EQ(end.gdi, startUp.gdi);
    EXPECT_EQ(end.user, startUp.user);
    EXPECT_EQ(end.heap.bytes, startUp.heap.bytes);
    EXPECT_EQ(end.heap.blocks, startUp.heap.blocks);
    EXPECT_TRUE(AllHeapsValid());
}

}  // namespace
}  // namespace wintest
