// The tray icon's companion: the popup menu of driver options, against the
// real registry and real menus.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "app/desk_messages.h"
#include "app/main_window_win32.h"
#include "app/registry_settings_key_win32.h"
#include "app/setup_handover_win32.h"
#include "app/setup_request.h"
#include "app/setups_menu_win32.h"
#include "app/tray_menu_win32.h"
#include "resource.h"
#include "settings/settings_store.h"
#include "settings/setups_store.h"
#include "support/desk_in_process.h"
#include "support/message_box_watcher.h"
#include "support/registry_fixture.h"

namespace {

std::vector<BYTE> Int32Bytes(int32_t value) {
    const BYTE* p = reinterpret_cast<const BYTE*>(&value);
    return std::vector<BYTE>(p, p + 4);
}

std::vector<BYTE> Stored(const char* name) {
    std::vector<BYTE> bytes;
    DWORD type = 0;
    if (!kDeskKey.Read(name, &bytes, &type) || type != REG_BINARY) bytes.clear();
    return bytes;
}

// Acts on the next dialog box that the thread shows (a message box too),
// once it is made and before anyone can answer it.
std::function<void(HWND)> onDialog;
LRESULT CALLBACK OnDialogMade(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_INITDIALOG && onDialog) std::exchange(onDialog, nullptr)(sent->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class OptionsMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        kDeskKey.Delete();
        SetSettingsKey(&key);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OptionsMenuTestOwner";
        RegisterClassA(&windowClass);
        owner = CreateWindowExA(0, "OptionsMenuTestOwner", "owner", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        hook = SetWindowsHookExA(WH_CALLWNDPROCRET, OnDialogMade, nullptr, GetCurrentThreadId());
    }
    void TearDown() override {
        UnhookWindowsHookEx(hook);
        onDialog = nullptr;
        DestroyWindow(owner);
        kDeskKey.Delete();
    }
    void StoreSetups(const std::vector<std::string>& names) {
        const int32_t record[17] = {};
        for (const std::string& name : names) key.SetBinaryBelow("Setups\\" + name, "Mixer20", record, sizeof record);
    }
    bool Checked(UINT id) { return (GetMenuState(OptionsMenu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    std::vector<UINT> CheckedAmong(UINT first, UINT last) {
        std::vector<UINT> checked;
        for (UINT id = first; id <= last; ++id) {
            if (Checked(id)) checked.push_back(id);
        }
        return checked;
    }
    void Choose(UINT id) { OnOptionsCommand(owner, WM_COMMAND, id, 0); }

    RegistrySettingsKey key{kDeskSettingsKey};
    HWND owner = nullptr;
    HHOOK hook = nullptr;
};

TEST_F(OptionsMenuTest, ItemsStandInTheirOrderWithTheirLabels) {
    BuildOptionsMenu();
    HMENU menu = OptionsMenu();
    ASSERT_EQ(GetMenuItemCount(menu), 11);
    const char* const labels[] = {"&Close Panel", "", "Always on &Top", "", "&EASI",       "",
                                  "&GigaSampler", "", "&DirectSound",   "", "&MME Bufsize"};
    for (int i = 0; i < 11; ++i) {
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, labels[i]) << "position " << i;
        const bool separator = (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) != 0;
        EXPECT_EQ(separator, i % 2 == 1) << "position " << i;
    }
    EXPECT_EQ(GetMenuItemID(menu, 0), 1004u);
    EXPECT_EQ(GetMenuItemID(menu, 2), 1005u);
    const int submenuSizes[] = {4, 2, 5, 4};
    const UINT firstIds[] = {930, 920, 910, 940};
    for (int s = 0; s < 4; ++s) {
        HMENU submenu = GetSubMenu(menu, 4 + 2 * s);
        ASSERT_NE(submenu, nullptr);
        ASSERT_EQ(GetMenuItemCount(submenu), submenuSizes[s]);
        for (int i = 0; i < submenuSizes[s]; ++i) EXPECT_EQ(GetMenuItemID(submenu, i), firstIds[s] + i);
    }
    char text[64] = "";
    GetMenuStringA(GetSubMenu(menu, 8), 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Select Wave 2");
    GetMenuStringA(GetSubMenu(menu, 10), 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "4000h");
}

// The Setups submenu follows the menu's own eleven items, which keep their
// places and ids; its ids are of their own, and it lists the setups stored
// in the registry alphabetically, case aside, as a menu shows names.
TEST_F(OptionsMenuTest, SetupsFollowTheMenusOwnItemsWithIdsOfTheirOwn) {
    BuildOptionsMenu();
    HMENU menu = OptionsMenu();
    std::vector<UINT> ownIds;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        HMENU submenu = GetSubMenu(menu, i);
        ownIds.push_back(submenu != nullptr ? GetMenuItemID(submenu, 0) : GetMenuItemID(menu, i));
    }
    StoreSetups({"Zed", "alpha", "R&B", " leading space"});
    // Recalled under another case, checked and offered under its own.
    ASSERT_EQ(CarryOutSetupRequest(SetupAction::Recall, "zED").outcome, SetupOutcome::Done);
    EXPECT_EQ(LastSetup(), "Zed") << "the name Save Current Settings As offers";

    AppendSetupsMenu(menu);
    ASSERT_EQ(GetMenuItemCount(menu), 13);
    for (int i = 0; i < 11; ++i) {
        HMENU submenu = GetSubMenu(menu, i);
        EXPECT_EQ(submenu != nullptr ? GetMenuItemID(submenu, 0) : GetMenuItemID(menu, i), ownIds[i]) << i;
    }
    EXPECT_NE(GetMenuState(menu, 11, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    char text[64] = "";
    GetMenuStringA(menu, 12, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Setups");
    HMENU setups = GetSubMenu(menu, 12);
    ASSERT_NE(setups, nullptr);
    const struct {
        const char* text;
        UINT id;
    } items[] = {{"&Save Current Settings As...", 1010},
                 {"", 0},
                 {"alpha", 1100},
                 {"R&&B", 1101},
                 {"Zed", 1102},
                 {"", 0},
                 {"&Delete Setup", 0xFFFFFFFF},
                 {"&Export Setups...", 1012},
                 {"&Import Setups...", 1013}};
    ASSERT_EQ(GetMenuItemCount(setups), 9);
    for (int i = 0; i < 9; ++i) {
        GetMenuStringA(setups, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, items[i].text) << i;
        EXPECT_EQ(GetMenuItemID(setups, i), items[i].id) << i;
    }
    EXPECT_EQ(GetMenuState(setups, 1102, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    HMENU deletes = GetSubMenu(setups, 6);
    ASSERT_NE(deletes, nullptr);
    ASSERT_EQ(GetMenuItemCount(deletes), 3);
    for (UINT i = 0; i < 3; ++i) EXPECT_EQ(GetMenuItemID(deletes, i), 1200 + i);
    for (UINT id : {1010u, 1011u, 1012u, 1013u, 1100u, 1199u, 1200u, 1299u}) {
        EXPECT_TRUE(IsSetupsCommand(id)) << id;
        EXPECT_FALSE(IsOptionsCommand(id)) << id;
    }
    for (UINT id : {1004u, 1005u, 1099u, 1300u, 2048u}) EXPECT_FALSE(IsSetupsCommand(id)) << id;
}

// Past the first 100 setups, the submenu's last item opens the list of
// them all, from which any can be recalled.
TEST_F(OptionsMenuTest, SetupsPastTheFirstHundredAreInTheListOfAll) {
    for (int i = 0; i <= 100; ++i) StoreSetups({"Setup " + std::to_string(1000 + i)});
    BuildOptionsMenu();
    AppendSetupsMenu(OptionsMenu());
    EXPECT_EQ(GetMenuItemID(GetSubMenu(OptionsMenu(), 12), 106), 1011u) << "the last item, after 100 names";
    onDialog = [](HWND dialog) {
        SendMessageA(GetDlgItem(dialog, IDC_SETUPS_LIST), LB_SETCURSEL, 100, 0);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // should Recall not end it
    };
    OnSetupsCommand(owner, 1011);
    EXPECT_EQ(LastSetup(), "Setup 1100");

    // Once the last of the list is deleted, the one before it is selected,
    // for Recall and Delete to act on.
    wintest::MessageBoxWatcher watcher;
    watcher.answerWith(IDYES);
    LRESULT selected = -1;
    bool listFocused = false;  // for the keys
    onDialog = [&](HWND dialog) {
        listFocused = GetFocus() == GetDlgItem(dialog, IDC_SETUPS_LIST);
        SendMessageA(dialog, WM_COMMAND, IDC_DELETE_SETUP, 0);  // "Setup 1100", the one last recalled
        selected = SendMessageA(GetDlgItem(dialog, IDC_SETUPS_LIST), LB_GETCURSEL, 0, 0);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // should Recall find nothing selected
    };
    OnSetupsCommand(owner, 1011);
    EXPECT_EQ(selected, 99);
    EXPECT_TRUE(listFocused);
    EXPECT_EQ(LastSetup(), "Setup 1099");

    // Once the only setup is deleted, Recall and Delete have nothing to act on.
    kDeskKey.Delete();
    StoreSetups({"Only"});
    bool enabled = true;
    onDialog = [&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, IDC_DELETE_SETUP, 0);
        enabled = IsWindowEnabled(GetDlgItem(dialog, IDOK)) || IsWindowEnabled(GetDlgItem(dialog, IDC_DELETE_SETUP));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    OnSetupsCommand(owner, 1011);
    EXPECT_TRUE(ListSetups().empty());
    EXPECT_FALSE(enabled);
}

// The setup deleted is the one asked about, though the menu's list is made
// again while the question is open.
TEST_F(OptionsMenuTest, DeleteDeletesTheSetupItAskedAbout) {
    StoreSetups({"Bass", "Cello", "Drums"});
    BuildOptionsMenu();
    AppendSetupsMenu(OptionsMenu());
    wintest::MessageBoxWatcher watcher;
    watcher.answerWith(IDYES);
    onDialog = [&](HWND) {
        StoreSetups({"Alto"});
        key.DeleteKeyBelow("Setups\\Drums");
        RefreshSetupsMenu();
    };
    OnSetupsCommand(owner, 1201);  // "Cello"
    EXPECT_EQ(ListSetups(), (std::vector<std::string>{"Alto", "Bass"}));
}

LRESULT CALLBACK TakeRequests(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) return OnSetupCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return DefWindowProcA(window, message, wParam, lParam);
}

// A second start's request as the running desk takes it: the whole name, up
// to the longest a setup may have, answered in the desk's own codes, so that
// a window that ignores the request is not taken for a desk that did it.
TEST_F(OptionsMenuTest, ARunningDeskTakesRequestsWholeAndAnswersInItsOwnCodes) {
    const std::string longest(32, 'x');
    StoreSetups({"Video", longest});
    HWND desk =
        CreateWindowExA(0, "OptionsMenuTestOwner", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(desk, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TakeRequests));
    const struct {
        HWND to;
        std::string name;
        SetupOutcome outcome;
    } cases[] = {
        {desk, "Video", SetupOutcome::Done},
        {desk, longest, SetupOutcome::Done},
        {desk, longest + "x", SetupOutcome::BadRequest},
        {desk, std::string("Video\0Post", 10), SetupOutcome::BadRequest},
        {desk, "No Such Setup", SetupOutcome::Unknown},
        {owner, "Video", SetupOutcome::NoAnswer},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HandSetupRequestTo(c.to, SetupAction::Recall, c.name).outcome, c.outcome) << c.name.c_str();
    DestroyWindow(desk);
}

TEST_F(OptionsMenuTest, WithoutValuesOnlyTheTwoDisablesAreChecked) {
    BuildOptionsMenu();
    EXPECT_EQ(CheckedAmong(910, 914), std::vector<UINT>{910});
    EXPECT_EQ(CheckedAmong(920, 921), std::vector<UINT>{920});
    EXPECT_TRUE(CheckedAmong(930, 933).empty());
    EXPECT_TRUE(CheckedAmong(940, 943).empty());
    EXPECT_FALSE(Checked(1005));
}

TEST_F(OptionsMenuTest, StoredValuesSetTheCheckMarks) {
    kDeskKey.Write("DSOUND", REG_BINARY, Int32Bytes(7));
    kDeskKey.Write("GSIF", REG_BINARY, Int32Bytes(1));
    kDeskKey.Write("EASI1", REG_BINARY, Int32Bytes(1));
    kDeskKey.Write("EASI3", REG_BINARY, Int32Bytes(2));
    kDeskKey.Write("MMEBufsize", REG_BINARY, Int32Bytes(0x2000));
    BuildOptionsMenu();
    EXPECT_TRUE(CheckedAmong(910, 914).empty()) << "only 0 to 4 name an item";
    EXPECT_EQ(CheckedAmong(920, 921), std::vector<UINT>{921});
    EXPECT_EQ(CheckedAmong(930, 933), std::vector<UINT>{931});
    EXPECT_EQ(CheckedAmong(940, 943), std::vector<UINT>{941});
}

TEST_F(OptionsMenuTest, DwordValuesCountAsMissing) {
    kDeskKey.Write("DSOUND", REG_DWORD, Int32Bytes(3));
    kDeskKey.Write("MMEBufsize", REG_DWORD, Int32Bytes(0x1000));
    BuildOptionsMenu();
    EXPECT_EQ(CheckedAmong(910, 914), std::vector<UINT>{910});
    EXPECT_TRUE(CheckedAmong(940, 943).empty());
}

TEST_F(OptionsMenuTest, SelectWaveTwoStoresItAndCancelKeepsRunning) {
    BuildOptionsMenu();
    wintest::MessageBoxWatcher watcher;
    watcher.answerWith(IDCANCEL);
    Choose(912);
    EXPECT_EQ(Stored("DSOUND"), Int32Bytes(2));
    EXPECT_EQ(CheckedAmong(910, 914), std::vector<UINT>{912});
    const auto boxes = watcher.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "DSOUUND mode change");
    EXPECT_EQ(boxes[0].text, "To take effect DirectSound change, you must reboot.");
    // The question comes again for the item already checked.
    Choose(912);
    EXPECT_EQ(watcher.boxes().size(), 2u);
    EXPECT_EQ(Stored("DSOUND"), Int32Bytes(2));
}

TEST_F(OptionsMenuTest, CheckedDisableWaveThreeWritesZeroAndUnchecks) {
    kDeskKey.Write("EASI2", REG_BINARY, Int32Bytes(1));
    BuildOptionsMenu();
    ASSERT_TRUE(Checked(932));
    Choose(932);
    EXPECT_EQ(Stored("EASI2"), Int32Bytes(0));
    EXPECT_FALSE(Checked(932));
    Choose(932);
    EXPECT_EQ(Stored("EASI2"), Int32Bytes(1));
    EXPECT_TRUE(Checked(932));
    EXPECT_TRUE(Stored("EASI0").empty()) << "the items toggle independently";
}

TEST_F(OptionsMenuTest, GigaSamplerAndBufferSizeStoreTheirValues) {
    BuildOptionsMenu();
    Choose(942);
    EXPECT_EQ(Stored("MMEBufsize"), (std::vector<BYTE>{0x00, 0x40, 0x00, 0x00}));
    EXPECT_EQ(CheckedAmong(940, 943), std::vector<UINT>{942});
    Choose(921);
    EXPECT_EQ(Stored("GSIF"), Int32Bytes(1));
    EXPECT_EQ(CheckedAmong(920, 921), std::vector<UINT>{921});
    Choose(920);
    EXPECT_EQ(Stored("GSIF"), Int32Bytes(0));
    EXPECT_EQ(CheckedAmong(920, 921), std::vector<UINT>{920});
}

TEST_F(OptionsMenuTest, OtherMessagesAndIdsDoNothing) {
    BuildOptionsMenu();
    OnOptionsCommand(owner, WM_SYSCOMMAND, 912, 0);
    for (UINT id = 915; id <= 919; ++id) Choose(id);
    Choose(922);
    Choose(939);
    EXPECT_FALSE(kDeskKey.Exists());
    EXPECT_EQ(CheckedAmong(910, 914), std::vector<UINT>{910});
}

TEST_F(OptionsMenuTest, AlwaysOnTopTwiceReturnsToNormalStacking) {
    BuildOptionsMenu();
    auto topmost = [&] { return (GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    ASSERT_FALSE(topmost());
    OnAlwaysOnTop(owner);
    EXPECT_TRUE(topmost());
    EXPECT_TRUE(Checked(1005));
    OnAlwaysOnTop(owner);
    EXPECT_FALSE(topmost());
    EXPECT_FALSE(Checked(1005));
}

// The real main window: every option command goes through its WM_COMMAND
// handling to the options, and stores its value.
struct OptionCommand {
    UINT id;
    const char* name;
    int32_t stored;
};
// clang-format off
const OptionCommand kOptionCommands[] = {
    {910, "DSOUND", 0},     {911, "DSOUND", 1},     {912, "DSOUND", 2},          {913, "DSOUND", 3},
    {914, "DSOUND", 4},     {920, "GSIF", 0},       {921, "GSIF", 1},            {930, "EASI0", 1},
    {931, "EASI1", 1},      {932, "EASI2", 1},      {933, "EASI3", 1},           {940, "MMEBufsize", 0x1000},
    {941, "MMEBufsize", 0x2000}, {942, "MMEBufsize", 0x4000}, {943, "MMEBufsize", 0x8000},
};
// clang-format on

// Asked as any program may ask: the shell changes an icon only while the
// icon is there.
bool TrayIconExists(HWND window, UINT id) {
    NOTIFYICONDATAA icon = {};
    icon.cbSize = 88;
    icon.hWnd = window;
    icon.uID = id;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

// Whether the icon is still there right after the main window has handled
// WM_DESTROY. Asked then, while the window exists: Wine drops a destroyed
// window's icons itself, so a later question could not tell.
struct IconAtDestroy {
    HWND window;
    bool left;
};
IconAtDestroy iconAtDestroy = {nullptr, true};

LRESULT CALLBACK AfterWindowMessage(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_DESTROY && sent->hwnd == iconAtDestroy.window) {
        iconAtDestroy.left = TrayIconExists(sent->hwnd, 0x507);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MainWindowOptionsTest, EveryOptionCommandSentToTheMainWindowStoresItsValue) {
    kDeskKey.Delete();
    RegistrySettingsKey key{kDeskSettingsKey};
    wintest::LeapingClock clock;
    wintest::InProcessDesk desk(0x1, &key, &clock);
    ASSERT_TRUE(desk.Start());
    {
        wintest::MessageBoxWatcher watcher;
        watcher.answerWith(IDCANCEL);
        for (const OptionCommand& command : kOptionCommands) {
            SendMessageA(desk.window(), WM_COMMAND, command.id, 0);
            EXPECT_EQ(Stored(command.name), Int32Bytes(command.stored)) << "command " << command.id;
        }
        EXPECT_EQ(watcher.boxes().size(), 5u) << "the reboot question after each DirectSound choice";
    }

    // The icon the main window put in the notification area, and its record.
    const NOTIFYICONDATAA& icon = TrayIconRecord();
    EXPECT_EQ(icon.cbSize, 88u);
    EXPECT_EQ(icon.hWnd, desk.window());
    EXPECT_EQ(icon.uID, 0x507u);
    EXPECT_EQ(icon.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(icon.uCallbackMessage, 1024u);
    EXPECT_STREQ(icon.szTip, "TaraDock-20 Control Desk");
    EXPECT_TRUE(TrayIconExists(desk.window(), 0x507));
    EXPECT_FALSE(TrayIconExists(desk.window(), 0x508));
    iconAtDestroy = {desk.window(), true};
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowMessage, nullptr, GetCurrentThreadId());
    desk.Stop();
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(iconAtDestroy.left) << "the icon leaves with the window";
    kDeskKey.Delete();
}

}  // namespace
