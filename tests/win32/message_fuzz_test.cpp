// Random messages at every window of the real desk (four simulated cards):
// the main window and every control of every column (the toggle, static
// bitmap and digit entry classes), and at every control of the control
// gallery, which holds one of each of the fifteen classes. For a few seconds each window gets message numbers from
// the system range 0..0x3FF, the program's own 0x400..0x402, and the
// messages it is known to handle, with random wParam and lParam; then the
// desk is taken down. Nothing may crash and nothing may write outside its
// own state, which is checked afterwards:
//   - guard bytes fill the driver's private parts of every card's block and
//     the upper halves of the control-word shadows; none may change;
//   - the panel records (control handles) stay byte for byte as built;
//   - every settings record holds only values its handlers can write, and
//     the cards agree with the records where every handler keeps them equal;
//   - every control keeps the same state block, which still validates as a
//     heap block, and reports values in its range; every heap validates;
//   - the skin bitmap cache holds only bitmaps and terminated names, and the
//     toolkit font is still the font;
//   - the desk still answers: a click still sets its card and record.
//
// Messages left out, and why (each would end or block the run, not find a
// fault; the desk's own handling of them is tested elsewhere):
//   - WM_CREATE, WM_NCCREATE, WM_DESTROY, WM_NCDESTROY: the system's own
//     announcements around creation and destruction; sent to a live window
//     they replace or free its state block, taking the window out of the run.
//   - WM_CLOSE to any window (the default handling destroys it), WM_QUIT, and
//     WM_ENDSESSION to the main window (the end of the desk's session).
//   - WM_SYSCOMMAND except exact SC_CLOSE (the desk's own hide), SC_MINIMIZE
//     and SC_RESTORE to the main window and values below 0xF000 (no command):
//     SC_CLOSE with low bits closes for real, SC_MOVE and SC_SIZE run modal
//     move and size loops, SC_KEYMENU and SC_MOUSEMENU modal menu loops,
//     SC_VSCROLL and SC_HSCROLL modal scroll loops, SC_TASKLIST and
//     SC_SCREENSAVE start other programs, SC_HOTKEY activates another window.
//   - WM_RBUTTONDOWN to the main window: the options menu (TrackPopupMenu
//     runs a modal loop).
//   - WM_COMMAND 910..914 to the main window: the DirectSound choice asks to
//     reboot in a message box (and OK would reboot); and the Setups menu's
//     commands, which open the name dialog or ask in a message box.
//   - What opens the system menu or a modal mouse loop: WM_CONTEXTMENU,
//     0x313 (the taskbar's system-menu request), WM_RBUTTONUP to windows that
//     leave it to the default handling (the main window, static bitmaps,
//     digit fields: it becomes WM_CONTEXTMENU), WM_NCLBUTTONDOWN,
//     WM_NCLBUTTONDBLCLK and WM_NCRBUTTONDOWN (move, size, scroll and
//     system-menu tracking by the hit-test code in wParam).
//   - The keyboard's way into the menu: WM_SYSKEYDOWN, WM_SYSKEYUP,
//     WM_SYSCHAR, and WM_KEYDOWN, WM_KEYUP, WM_IME_KEYDOWN, WM_IME_KEYUP for
//     F10, Alt and the context-menu key.
// A message box or menu that opens all the same is counted and closed by a
// message filter hook (boxes by the message box watcher), so a gap in the
// list shows in the output instead of hanging the run.
//
// Pointers and handles in parameters (the rule): a parameter that the
// receiver reads or writes as a pointer gets the address of a zeroed 4 KB
// scratch buffer (WM_SETTEXT a terminated random text in it, WM_GETTEXT and
// WM_ASKCBFORMATNAME a count within it); WM_SETICON to a static bitmap takes
// a bitmap name, so it gets a skin name, a name the cache refuses (empty, too
// long), null, or now and then a missing name or a small resource number
// (each shows the "NotFound" box, which the watcher closes). A parameter
// that is a GDI handle (a DC, font or region) gets 0, an object of that kind
// that the test owns, or a value that names no GDI object at all; WM_SETICON
// to other windows gets 0 or the desk's own icon; WM_INPUTLANGCHANGE gets the
// thread's own keyboard layout; WM_TIMER and WM_SYSTIMER get lParam 0 (a
// timer callback address).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "app/desk_messages.h"
#include "app/setups_menu_win32.h"
#include "card/card_table.h"
#include "controls/control_input.h"
#include "controls/toolkit_frame.h"
#include "gallery/gallery_layout.h"
#include "gallery/gallery_window_win32.h"
#include "panel/card_panel.h"
#include "settings/settings_store.h"
#include "support/desk_in_process.h"
#include "support/gallery_in_process.h"
#include "support/heap_in_use.h"
#include "support/memory_settings_key.h"
#include "support/message_box_watcher.h"
#include "support/message_pump.h"
#include "support/wine_window_manager.h"

namespace wintest {
namespace {

constexpr DWORD kFuzzMilliseconds = 4000;
constexpr unsigned kSeed = 777;
constexpr int kMessagesPerPump = 32;
constexpr uint8_t kGuardByte = 0xA5;
constexpr uint32_t kGuardWord = 0xA5A5A5A5u;
constexpr uint32_t kShadowGuard = 0x5A5A0000u;
constexpr UINT kPopupSystemMenu = 0x313;
constexpr UINT kSysTimer = 0x118;
constexpr UINT kCtlColor = 0x019;  // the 16-bit WM_CTLCOLOR
constexpr int kSmallIcon = 108;

alignas(16) uint8_t scratch[4096];

// ---- Menus that open despite the rules -------------------------------------

int menusClosed = 0;

LRESULT CALLBACK CloseMenus(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_MENU) {
        ++menusClosed;
        EndMenu();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// ---- Messages ----------------------------------------------------------------

// clang-format off
enum class Kind {
    kMain, kToggle, kStatic, kDigitField,
    // The control gallery's window and the toolkit's other twelve classes.
    kGallery, kPushButton, kPopupSelector, kSmallText, kThreeState, kOnOff, kBitmapList,
    kVerticalSlider, kHorizontalSlider, kKnob, kGauge, kDigitDisplay, kBitmapText,
};
// clang-format on

struct Target {
    HWND window;
    Kind kind;
};

struct Message {
    UINT number;
    WPARAM wParam;
    LPARAM lParam;
};

bool IsMenuKey(WPARAM key) {
    return key == VK_F10 || key == VK_MENU || key == VK_LMENU || key == VK_RMENU || key == VK_APPS;
}

// Messages that carry a pointer in lParam which the receiver (or the default
// handling it passes them to) may read or write.
bool PointerInLParam(UINT number) {
    switch (number) {
    // clang-format off
    case WM_SETTEXT: case WM_GETTEXT: case WM_WININICHANGE: case WM_DEVMODECHANGE:
    case WM_GETMINMAXINFO: case WM_DRAWITEM: case WM_MEASUREITEM: case WM_DELETEITEM:
    case WM_COMPAREITEM: case WM_WINDOWPOSCHANGING: case WM_WINDOWPOSCHANGED: case WM_COPYDATA:
    case WM_NOTIFY: case WM_HELP: case WM_STYLECHANGING: case WM_STYLECHANGED: case WM_NCCALCSIZE:
    case WM_GETDLGCODE: case WM_MENUGETOBJECT: case WM_NEXTMENU: case WM_SIZING: case WM_MOVING:
    case WM_DEVICECHANGE: case WM_MDICREATE: case WM_MDIGETACTIVE: case WM_ASKCBFORMATNAME:
    case 0x02E0:  // WM_DPICHANGED
    case 0x02E4:  // WM_GETDPISCALEDSIZE
    case 0x033F:  // WM_GETTITLEBARINFOEX
        return true;
    // clang-format on
    default:
        // The IME messages go on to the IME window, some with structures.
        return (number >= WM_IME_STARTCOMPOSITION && number <= WM_IME_KEYLAST) ||
               (number >= WM_IME_SETCONTEXT && number <= WM_IME_KEYUP);
    }
}

// Messages whose wParam is a GDI handle, and the kind it must name.
DWORD GdiHandleInWParam(UINT number) {
    switch (number) {
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND:
    case WM_PRINT:
    case WM_PRINTCLIENT:
    case kCtlColor:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_PAINT: return OBJ_MEMDC;
    case WM_SETFONT: return OBJ_FONT;
    case WM_NCPAINT: return OBJ_REGION;
    default: return 0;
    }
}

class MessageFuzzer {
public:
    MessageFuzzer(unsigned seed, HDC dc, HFONT font, HRGN region, HICON icon)
        : random_(seed), dc_(dc), font_(font), region_(region), icon_(icon) {}

    // A random message for `target`, or false when the draw is one of the
    // messages left out.
    bool Draw(const Target& target, Message* message) {
        const unsigned choice = random_() % 100;
        if (choice < 45) {
            message->number = random_() % 0x400;
        } else if (choice < 55) {
            message->number = 0x400 + random_() % 3;
        } else {
            message->number = Known(target.kind);
        }
        message->wParam = Parameter();
        message->lParam = static_cast<LPARAM>(Parameter());
        Shape(target, message);
        return !LeftOut(target, *message);
    }

    int missingNames = 0;

private:
    WPARAM Parameter() {
        switch (random_() % 4) {
        case 0: return static_cast<WPARAM>(random_());
        case 1: return static_cast<WPARAM>(random_() % 16);
        case 2: return static_cast<WPARAM>(random_() & 0xFFFF);
        default: {
            static const WPARAM kEdges[] = {0,      1,      2,      3,       4,          0xF,         0xFF,
                                            0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu};
            return kEdges[random_() % (sizeof kEdges / sizeof kEdges[0])];
        }
        }
    }

    UINT Known(Kind kind) {
        // And the keyboard's messages, which every class may get (the fuzz
        // runs with the focus marks on, so the classes' keys answer).
        static const std::vector<UINT> kDrawn = {WM_PAINT, WM_ERASEBKGND, WM_GETDLGCODE, WM_KEYDOWN,
                                                 WM_CHAR,  WM_SETFOCUS,   WM_KILLFOCUS};
        auto with = [](std::vector<UINT> own) {
            own.insert(own.end(), kDrawn.begin(), kDrawn.end());
            return own;
        };
        static const std::vector<UINT> kKnown[] = {
            {WM_COMMAND, WM_SYSCOMMAND, WM_MOUSEMOVE, WM_PAINT, WM_ERASEBKGND, kWmTrayNotify, kWmRoutingNotify,
             kWmTimecodeByte},                                                             // main
            with({BM_GETCHECK, BM_SETCHECK, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP}),  // toggle
            with({WM_SETICON}),                                                            // static
            with({SBM_SETPOS, SBM_GETPOS, WM_SETFONT, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN,
                  WM_MOUSEWHEEL}),                                                                        // digit field
            {WM_COMMAND, WM_VSCROLL, WM_HSCROLL, WM_LBUTTONDBLCLK, WM_PAINT, WM_PRINTCLIENT},             // gallery
            with({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP}),             // push button
            with({SBM_SETPOS, SBM_GETPOS, WM_LBUTTONUP, WM_RBUTTONUP, WM_COMMAND}),                       // selector
            with({WM_SETTEXT, WM_GETTEXT}),                                                               // small text
            with({BM_GETCHECK, BM_SETCHECK, WM_LBUTTONDOWN, WM_LBUTTONUP}),                               // three-state
            with({BM_GETCHECK, BM_SETCHECK, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}),                 // switch
            with({SBM_SETPOS, SBM_GETPOS, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MOUSEWHEEL}),  // list
            with({SBM_SETPOS, SBM_GETPOS, WM_SETFOCUS, WM_KILLFOCUS, WM_KEYDOWN, WM_MOUSEWHEEL, WM_MOUSEMOVE,
                  WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),  // vertical
            with({SBM_SETPOS, SBM_GETPOS, WM_SETFOCUS, WM_KILLFOCUS, WM_ENABLE, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                  WM_LBUTTONUP, WM_RBUTTONUP, WM_MOUSEWHEEL, WM_USER, WM_USER + 1, WM_USER + 2}),  // horizontal
            with({SBM_SETPOS, SBM_GETPOS, WM_SETFOCUS, WM_KILLFOCUS, WM_KEYDOWN, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                  WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEWHEEL}),  // knob
            with({SBM_SETPOS}),                                     // gauge
            with({SBM_SETPOS}),                                     // digit display
            with({WM_SETTEXT, WM_GETTEXT}),                         // bitmap text
        };
        const std::vector<UINT>& known = kKnown[static_cast<int>(kind)];
        return known[random_() % known.size()];
    }

    // A value that names no GDI object, an object of `type` the test owns,
    // or 0.
    WPARAM GdiHandle(WPARAM value, DWORD type) {
        switch (random_() % 4) {
        case 0: return 0;
        case 1:
            if (type == OBJ_FONT) return reinterpret_cast<WPARAM>(random_() % 2 ? font_ : toolkitFont);
            if (type == OBJ_REGION) return random_() % 2 ? reinterpret_cast<WPARAM>(region_) : 1;
            return reinterpret_cast<WPARAM>(dc_);
        default: return GetObjectType(reinterpret_cast<HGDIOBJ>(value)) == 0 ? value : 0;
        }
    }

    LPARAM BitmapName() {
        static const char* const kNames[] = {"id1",     "id2",       "id3",
                                             "id4",     "out12_off", "btn_on",
                                             "mainbak", "",          "a_name_far_longer_than_thirty_one_characters",
                                             nullptr};
        static const char* const kMissing[] = {"no_such_skin", "NOT_THERE", "out90_off"};
        const unsigned pick = random_() % 200;
        if (pick == 0) {
            ++missingNames;
            return reinterpret_cast<LPARAM>(kMissing[random_() % 3]);
        }
        if (pick == 1) {
            ++missingNames;
            return static_cast<LPARAM>(1 + random_() % 0xFFFF);
        }
        return reinterpret_cast<LPARAM>(kNames[random_() % (sizeof kNames / sizeof kNames[0])]);
    }

    void Shape(const Target& target, Message* message) {
        const UINT number = message->number;
        if (number == WM_SETICON) {
            message->lParam =
                target.kind == Kind::kStatic ? BitmapName() : (random_() % 2 ? reinterpret_cast<LPARAM>(icon_) : 0);
            return;
        }
        if (const DWORD type = GdiHandleInWParam(number)) {
            message->wParam = GdiHandle(message->wParam, type);
        }
        if (number == WM_TIMER || number == kSysTimer) message->lParam = 0;
        if (target.kind == Kind::kHorizontalSlider && (number == WM_USER + 1 || number == WM_USER + 2)) {
            // The slider copies a label from lParam: a terminated random text.
            std::memset(scratch, 0, sizeof scratch);
            const size_t length = random_() % 20;
            for (size_t i = 0; i < length; ++i) scratch[i] = static_cast<uint8_t>(' ' + random_() % 95);
            message->lParam = reinterpret_cast<LPARAM>(scratch);
        }
        if (number == WM_INPUTLANGCHANGE) message->lParam = reinterpret_cast<LPARAM>(GetKeyboardLayout(0));
        if (PointerInLParam(number)) {
            std::memset(scratch, 0, sizeof scratch);
            message->lParam = reinterpret_cast<LPARAM>(scratch);
            if (number == WM_SETTEXT) {
                const size_t length = random_() % 200;
                for (size_t i = 0; i < length; ++i) scratch[i] = static_cast<uint8_t>(' ' + random_() % 95);
            }
            if (number == WM_GETTEXT || number == WM_ASKCBFORMATNAME) message->wParam %= sizeof scratch;
        }
    }

    static bool LeftOut(const Target& target, const Message& message) {
        const UINT number = message.number;
        const bool main = target.kind == Kind::kMain;
        switch (number) {
        // clang-format off
        case WM_CREATE: case WM_NCCREATE: case WM_DESTROY: case WM_NCDESTROY:
        case WM_CLOSE: case WM_QUIT:
        case WM_CONTEXTMENU: case kPopupSystemMenu:
        case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN:
        case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_SYSCHAR:
            return true;
        // clang-format on
        case WM_ENDSESSION:
        case WM_RBUTTONDOWN: return main;
        case WM_RBUTTONUP:
            // Left to the default handling it becomes WM_CONTEXTMENU.
            return target.kind != Kind::kToggle && target.kind != Kind::kPushButton &&
                   target.kind != Kind::kPopupSelector && target.kind != Kind::kHorizontalSlider;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_IME_KEYDOWN:
        case WM_IME_KEYUP: return IsMenuKey(message.wParam);
        case WM_COMMAND: {
            const unsigned id = LOWORD(message.wParam);
            return main && ((id >= 910 && id <= 914) || IsSetupsCommand(id));
        }
        case WM_SYSCOMMAND: {
            if (message.wParam < 0xF000) return false;
            if (!main) return true;
            return message.wParam != SC_CLOSE && message.wParam != SC_MINIMIZE && message.wParam != SC_RESTORE;
        }
        default: return false;
        }
    }

    std::mt19937 random_;
    HDC dc_;
    HFONT font_;
    HRGN region_;
    HICON icon_;
};

// ---- Guards ----------------------------------------------------------------

void FillGuards(SharedCardBlock& block) {
    std::memset(block.driverPrivate0, kGuardByte, sizeof block.driverPrivate0);
    std::memset(block.driverPrivate1, kGuardByte, sizeof block.driverPrivate1);
    std::memset(block.driverPrivate2, kGuardByte, sizeof block.driverPrivate2);
    std::memset(block.driverPrivate3, kGuardByte, sizeof block.driverPrivate3);
    block.registers = kGuardWord;
    for (uint32_t& shadow : block.controlShadow) shadow = kShadowGuard;
}

template <size_t N>
bool AllGuard(const uint8_t (&bytes)[N]) {
    for (uint8_t byte : bytes) {
        if (byte != kGuardByte) return false;
    }
    return true;
}

struct ControlSnapshot {
    HWND window;
    Kind kind;
    int maximum;
    LONG_PTR stateBlock;
    SIZE_T stateSize;
};

bool OnlyOneRouted(const int32_t (&rows)[4]) {
    int routed = 0;
    for (int32_t row : rows) {
        if (row != 0 && row != 1) return false;
        routed += row;
    }
    return routed <= 1;
}

// Every slot holds a value its handler can write.
::testing::AssertionResult RecordInDomain(const MixerSettings& r) {
    const bool ok = (r.inputCoaxial == 0 || r.inputCoaxial == 1) && (r.inputOptical == 0 || r.inputOptical == 1) &&
                    (r.fsMode == 0 || r.fsMode == 1) && r.clockSource >= 0 && r.clockSource <= 3 &&
                    r.showTimecode == 0 && (r.routingOff == 0 || r.routingOff == 1) && OnlyOneRouted(r.routeA) &&
                    OnlyOneRouted(r.routeB) && (r.autoRate == 0 || r.autoRate == 1) && r.manualRate >= 0 &&
                    r.manualRate <= 2 && r.frameRate >= 0 && r.frameRate <= 4;
    if (ok) return ::testing::AssertionSuccess();
    const int32_t* slots = reinterpret_cast<const int32_t*>(&r);
    ::testing::AssertionResult failure = ::testing::AssertionFailure() << "record slots:";
    for (int i = 0; i < 17; ++i) failure << " " << slots[i];
    return failure;
}

// ---- The test --------------------------------------------------------------

class MessageFuzzTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { KeepWindowsUnmanagedUnderWine(); }

    void SetUp() override {
        for (int c = 0; c < 4; ++c) FillGuards(desk.driver().BlockInColumn(c));
        ASSERT_TRUE(desk.Start());
        ASSERT_EQ(desk.cardCount(), 4);
        targets.push_back({desk.window(), Kind::kMain});
        for (const PanelControl& control : desk.controls()) {
            const Kind kind = control.kind == PanelControlKind::kToggle       ? Kind::kToggle
                              : control.kind == PanelControlKind::kDigitField ? Kind::kDigitField
                                                                              : Kind::kStatic;
            targets.push_back({control.window, kind});
            const LONG_PTR block = GetWindowLongPtrA(control.window, GWLP_USERDATA);
            snapshots.push_back({control.window, kind, control.maximum, block,
                                 HeapSize(GetProcessHeap(), 0, reinterpret_cast<void*>(block))});
        }
        for (int c = 0; c < 4; ++c) panels[c] = *PanelAt(c);
        dc = CreateCompatibleDC(nullptr);
        font = CreateFontA(20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
        region = CreateRectRgn(0, 0, 40, 40);
        icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kSmallIcon));
        menuHook = SetWindowsHookExA(WH_MSGFILTER, CloseMenus, nullptr, GetCurrentThreadId());
    }

    void TearDown() override {
        UnhookWindowsHookEx(menuHook);
        desk.Stop();
        DeleteDC(dc);
        DeleteObject(font);
        DeleteObject(region);
    }

    MemorySettingsKey key;
    LeapingClock clock;
    InProcessDesk desk{0xF, &key, &clock};
    std::vector<Target> targets;
    std::vector<ControlSnapshot> snapshots;
    CardPanel panels[4];
    HDC dc = nullptr;
    HFONT font = nullptr;
    HRGN region = nullptr;
    HICON icon = nullptr;
    HHOOK menuHook = nullptr;
};

// The seed, or the one DESK_FUZZ_SEED names, to try others or repeat one.
unsigned Seed() {
    char text[16] = "";
    if (GetEnvironmentVariableA("DESK_FUZZ_SEED", text, sizeof text) > 0) {
        return static_cast<unsigned>(std::strtoul(text, nullptr, 10));
    }
    return kSeed;
}

TEST_F(MessageFuzzTest, RandomMessagesToEveryWindowBreakNothingOutsideTheirHandlers) {
    MessageBoxWatcher boxes;
    SetFocusMarks(true);
    const unsigned seed = Seed();
    MessageFuzzer fuzzer(seed, dc, font, region, icon);
    std::mt19937 pick(seed + 1);
    long sent = 0;
    long leftOut = 0;
    const DWORD started = GetTickCount();
    while (GetTickCount() - started < kFuzzMilliseconds) {
        for (int i = 0; i < kMessagesPerPump; ++i) {
            // The main window gets a quarter of the messages, the 149
            // controls share the rest.
            const Target& target = pick() % 4 == 0 ? targets[0] : targets[1 + pick() % (targets.size() - 1)];
            Message message;
            if (!fuzzer.Draw(target, &message)) {
                ++leftOut;
                continue;
            }
            SendMessageA(target.window, message.number, message.wParam, message.lParam);
            ++sent;
        }
        PumpMessages();
    }
    PumpMessages();
    SetFocusMarks(false);
    std::printf(
        "seed %u: %ld messages sent in %lu ms (%ld draws left out), %d missing bitmap names, %d boxes closed, "
        "%d menus closed\n",
        seed, sent, static_cast<unsigned long>(GetTickCount() - started), leftOut, fuzzer.missingNames,
        static_cast<int>(boxes.boxes().size()), menusClosed);

    // The driver's bytes and the shadows' upper halves.
    for (int c = 0; c < 4; ++c) {
        const SharedCardBlock& block = desk.driver().BlockInColumn(c);
        EXPECT_TRUE(AllGuard(block.driverPrivate0)) << "column " << c;
        EXPECT_TRUE(AllGuard(block.driverPrivate1)) << "column " << c;
        EXPECT_TRUE(AllGuard(block.driverPrivate2)) << "column " << c;
        EXPECT_TRUE(AllGuard(block.driverPrivate3)) << "column " << c;
        EXPECT_EQ(block.registers, kGuardWord) << "column " << c;
        for (uint32_t shadow : block.controlShadow) EXPECT_EQ(shadow & 0xFFFF0000u, kShadowGuard) << "column " << c;
        EXPECT_EQ(block.notifyWindow, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(desk.window())));
        EXPECT_GE(block.unitLockCount, 0) << "column " << c;
    }

    // Panels, records, and the cards where the handlers keep them equal.
    static const int32_t kRates[] = {32000, 44100, 48000};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(std::memcmp(&panels[c], PanelAt(c), sizeof(CardPanel)), 0) << "column " << c;
        const MixerSettings& record = SettingsRecord(c);
        EXPECT_TRUE(RecordInDomain(record)) << "column " << c;
        const SimCardState card = desk.driver().CardInColumn(c).State();
        EXPECT_EQ(card.fsMode, record.fsMode) << "column " << c;
        EXPECT_EQ(card.clockSource, record.clockSource) << "column " << c;
        if (record.autoRate == 0 && record.manualRate >= 0 && record.manualRate <= 2) {
            EXPECT_EQ(card.sampleRate, kRates[record.manualRate]) << "column " << c;
        }
        EXPECT_EQ(card.serialErrors, 0u) << "column " << c;
    }

    // The controls' own state.
    for (const ControlSnapshot& control : snapshots) {
        const LONG_PTR block = GetWindowLongPtrA(control.window, GWLP_USERDATA);
        ASSERT_EQ(block, control.stateBlock) << "control " << GetDlgCtrlID(control.window);
        EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, reinterpret_cast<void*>(block)));
        EXPECT_EQ(HeapSize(GetProcessHeap(), 0, reinterpret_cast<void*>(block)), control.stateSize);
        if (control.kind == Kind::kDigitField) {
            const LRESULT value = SendMessageA(control.window, SBM_GETPOS, 0, 0);
            EXPECT_GE(value, 0);
            EXPECT_LE(value, control.maximum);
        }
    }
    EXPECT_TRUE(AllHeapsValid());

    // The toolkit's shared state.
    for (const SkinBitmapEntry& entry : skinBitmapCache) {
        EXPECT_NE(std::memchr(entry.name, '\0', sizeof entry.name), nullptr);
        if (entry.image) EXPECT_EQ(GetObjectType(entry.image.bitmap), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(toolkitFont), static_cast<DWORD>(OBJ_FONT));

    // Still answering: a click on column 2's fs toggles reaches record and card.
    for (uint16_t base : {kBaseFs256, kBaseFs}) {
        HWND toggle = desk.Control(2, base);
        if (SendMessageA(toggle, BM_GETCHECK, 0, 0) == 1) LeftClick(toggle);  // uncheck first
        LeftClick(toggle);
        const int32_t member = base == kBaseFs256 ? 1 : 0;
        EXPECT_EQ(SettingsRecord(2).fsMode, member);
        EXPECT_EQ(desk.driver().CardInColumn(2).State().fsMode, member);
    }
}

// The toolkit's other twelve classes, as the control gallery holds them (and
// the gallery's own window, and the selector's opener): the same random
// messages, then every control must keep its state block whole, the values
// that a class keeps in range must be in range, and the gallery must still
// answer a click.
Kind KindOf(GalleryKind kind) {
    switch (kind) {
    case GalleryKind::Toggle: return Kind::kToggle;
    case GalleryKind::StaticBitmap: return Kind::kStatic;
    case GalleryKind::DigitField: return Kind::kDigitField;
    case GalleryKind::SmallText: return Kind::kSmallText;
    case GalleryKind::PushButton: return Kind::kPushButton;
    case GalleryKind::PopupMenuSelector: return Kind::kPopupSelector;
    case GalleryKind::ThreeStateButton: return Kind::kThreeState;
    case GalleryKind::VerticalSlider: return Kind::kVerticalSlider;
    case GalleryKind::BitmapList: return Kind::kBitmapList;
    case GalleryKind::BitmapGauge: return Kind::kGauge;
    case GalleryKind::BitmapText: return Kind::kBitmapText;
    case GalleryKind::DigitDisplay: return Kind::kDigitDisplay;
    case GalleryKind::Knob: return Kind::kKnob;
    case GalleryKind::HorizontalSlider: return Kind::kHorizontalSlider;
    case GalleryKind::OnOffSwitch: return Kind::kOnOff;
    }
    return Kind::kStatic;
}

TEST(GalleryMessageFuzzTest, RandomMessagesToEveryClassBreakNothingOutsideItsState) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND gallery = OpenGalleryInProcess();
    ASSERT_NE(gallery, nullptr);
    ShowWindow(gallery, SW_SHOWNORMAL);
    UpdateWindow(gallery);

    std::vector<Target> targets = {{gallery, Kind::kGallery}};
    std::vector<ControlSnapshot> snapshots;
    auto keep = [&](HWND window, Kind kind) {
        ASSERT_NE(window, nullptr);
        targets.push_back({window, kind});
        const LONG_PTR block = GetWindowLongPtrA(window, GWLP_USERDATA);
        snapshots.push_back({window, kind, 0, block, HeapSize(GetProcessHeap(), 0, reinterpret_cast<void*>(block))});
    };
    for (size_t i = 0; i < GalleryCellCount(); ++i) {
        const GalleryCell& cell = GalleryCells()[i];
        keep(GetDlgItem(gallery, cell.id), KindOf(cell.kind));
    }
    keep(GetDlgItem(GetDlgItem(gallery, 701), 5000), Kind::kPushButton);

    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HRGN region = CreateRectRgn(0, 0, 40, 40);
    HHOOK menuHook = SetWindowsHookExA(WH_MSGFILTER, CloseMenus, nullptr, GetCurrentThreadId());
    // The selector's opener opens its menu, whose loop runs the filter hook
    // only for a message in the queue: a thread timer keeps one coming.
    const UINT_PTR wake = SetTimer(nullptr, 0, 50, nullptr);
    {
        MessageBoxWatcher boxes;
        SetFocusMarks(true);
        const unsigned seed = Seed();
        MessageFuzzer fuzzer(seed, dc, font, region, LoadIconA(instance, MAKEINTRESOURCEA(kSmallIcon)));
        std::mt19937 pick(seed + 2);
        long sent = 0;
        const DWORD started = GetTickCount();
        while (GetTickCount() - started < kFuzzMilliseconds) {
            for (int i = 0; i < kMessagesPerPump; ++i) {
                const Target& target = targets[pick() % targets.size()];
                Message message;
                if (!fuzzer.Draw(target, &message)) continue;
                SendMessageA(target.window, message.number, message.wParam, message.lParam);
                ++sent;
            }
            PumpMessages();
        }
        PumpMessages();
        SetFocusMarks(false);
        std::printf("gallery, seed %u: %ld messages sent, %d boxes closed, %d menus closed\n", seed, sent,
                    static_cast<int>(boxes.boxes().size()), menusClosed);
    }
    KillTimer(nullptr, wake);
    UnhookWindowsHookEx(menuHook);

    for (const ControlSnapshot& control : snapshots) {
        const LONG_PTR block = GetWindowLongPtrA(control.window, GWLP_USERDATA);
        ASSERT_EQ(block, control.stateBlock) << "control " << GetDlgCtrlID(control.window);
        EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, reinterpret_cast<void*>(block)));
        EXPECT_EQ(HeapSize(GetProcessHeap(), 0, reinterpret_cast<void*>(block)), control.stateSize);
    }
    EXPECT_TRUE(AllHeapsValid());
    const LRESULT index = SendMessageA(GetDlgItem(gallery, 1001), SBM_GETPOS, 0, 0);
    EXPECT_TRUE(index >= 0 && index <= 3) << "the bitmap list's index " << index;
    const LRESULT state = SendMessageA(GetDlgItem(gallery, 801), BM_GETCHECK, 0, 0);
    EXPECT_TRUE(state >= 0 && state <= 2) << "the three-state button's state " << state;
    for (const SkinBitmapEntry& entry : skinBitmapCache) {
        if (entry.image) EXPECT_EQ(GetObjectType(entry.image.bitmap), static_cast<DWORD>(OBJ_BITMAP));
    }

    // Still answering: the switch flips at a press.
    HWND onOff = GetDlgItem(gallery, 1601);
    const LRESULT before = SendMessageA(onOff, BM_GETCHECK, 0, 0);
    SendMessageA(onOff, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(onOff, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(SendMessageA(onOff, BM_GETCHECK, 0, 0), before == 1 ? 0 : 1);

    DestroyWindow(gallery);
    MSG quit;
    while (PeekMessageA(&quit, nullptr, 0, 0, PM_REMOVE)) {
    }
    UnregisterGalleryClass(instance);
    UnregisterControlClasses();
    DeleteDC(dc);
    DeleteObject(font);
    DeleteObject(region);
}

}  // namespace
}  // namespace wintest
