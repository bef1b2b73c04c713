// desk.exe and desk-sim.exe as real processes: start-up, the window's size
// and visibility, and when the records reach the registry.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/desk_messages.h"
#include "app/registry_settings_key_win32.h"
#include "support/desk_process.h"
#include "support/registry_fixture.h"

namespace {

class DeskProcessTest : public ::testing::Test {
protected:
    void SetUp() override { kSimulatedKey.Delete(); }
    void TearDown() override { kSimulatedKey.Delete(); }
};

SIZE WindowSize(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

bool HasRecord(const char* name) {
    std::vector<BYTE> bytes;
    DWORD type = 0;
    return kSimulatedKey.Read(name, &bytes, &type) && bytes.size() == 68 && type == REG_BINARY;
}

TEST_F(DeskProcessTest, RealDeskWithoutDriverEndsAtOnceSilently) {
    DeskProcess desk("desk.exe", "");
    ASSERT_TRUE(desk.started());
    EXPECT_EQ(desk.WaitForExit(15000), 0u);
    EXPECT_FALSE(kSimulatedKey.Exists());
}

TEST_F(DeskProcessTest, SimulatedDeskWithNoCardEndsLikeTheRealOne) {
    DeskProcess desk("desk-sim.exe", "--cards 0 --no-monitor");
    EXPECT_EQ(desk.WaitForExit(15000), 0u);
    EXPECT_FALSE(kSimulatedKey.Exists());
}

TEST_F(DeskProcessTest, OneCardWindowIsHiddenUntilTheTrayIsClicked) {
    DeskProcess desk("desk-sim.exe", "--cards 1 --no-monitor");
    HWND window = desk.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    const SIZE size = WindowSize(window);
    EXPECT_EQ(size.cx, 345);
    EXPECT_EQ(size.cy, 279);
    RECT place = {};
    GetWindowRect(window, &place);
    EXPECT_EQ(place.left, (GetSystemMetrics(SM_CXSCREEN) - 339) / 2);
    EXPECT_EQ(place.top, (GetSystemMetrics(SM_CYSCREEN) - 254) / 2) << "centred as if 254 high";
    EXPECT_FALSE(IsWindowVisible(window));
    char title[100] = "";
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Tara Dock 20 ver. 1.9 07/06/2000");

    // Other mouse messages on the icon do nothing.
    PostMessageA(window, kWmTrayNotify, 0, WM_MOUSEMOVE);
    PostMessageA(window, kWmTrayNotify, 0, WM_LBUTTONUP);
    Sleep(300);
    EXPECT_FALSE(IsWindowVisible(window));

    PostMessageA(window, kWmTrayNotify, 0x507, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));

    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) == FALSE; }));
    EXPECT_TRUE(IsWindow(window)) << "closing only hides";

    PostMessageA(window, kWmTrayNotify, 0x507, WM_RBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(desk.WaitForExit(), 0u);
}

TEST_F(DeskProcessTest, FourCardsMakeA1362PixelWideWindow) {
    DeskProcess desk("desk-sim.exe", "--cards 4 --no-monitor");
    HWND window = desk.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowSize(window).cx, 1362);
    EXPECT_EQ(WindowSize(window).cy, 279);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(desk.WaitForExit(), 0u);
}

TEST_F(DeskProcessTest, SystemCloseWithLowBitsGoesToTheDefaultHandling) {
    // Only SC_CLOSE compared whole is the desk's hide. With low bits set the
    // command goes to the system's default handling, which closes the window
    // for real: the desk then ends the orderly way and saves its records.
    DeskProcess desk("desk-sim.exe", "--cards 1 --no-monitor");
    HWND window = desk.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, kWmTrayNotify, 0, WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_FALSE(kSimulatedKey.Exists());
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE | 0x3, 0);
    EXPECT_EQ(desk.WaitForExit(), 0u);
    EXPECT_TRUE(HasRecord("Mixer20"));
}

TEST_F(DeskProcessTest, SessionEndSavesEvenWhenTheSessionGoesOn) {
    DeskProcess desk("desk-sim.exe", "--indices 1,3 --no-monitor");
    HWND window = desk.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(kSimulatedKey.Exists());
    SendMessageA(window, WM_ENDSESSION, 0, 0);
    EXPECT_TRUE(HasRecord("Mixer20"));
    EXPECT_TRUE(HasRecord("Mixer21"));
    EXPECT_FALSE(HasRecord("Mixer22"));
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(DeskProcessTest, ClosingFromOutsideEndsTheDeskAndSavesTheRecords) {
    DeskProcess desk("desk-sim.exe", "--cards 2 --no-monitor");
    HWND window = desk.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(kSimulatedKey.Exists());
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(desk.WaitForExit(), 0u);
    EXPECT_TRUE(HasRecord("Mixer20"));
    EXPECT_TRUE(HasRecord("Mixer21"));
}

// With no desk running, a --setup that cannot be recalled ends the start
// with exit code 2 before a card is set or a record stored.
TEST_F(DeskProcessTest, ASetupThatCannotBeRecalledEndsTheStartBeforeAnyCardIsSet) {
    const BYTE shortRecord[4] = {};
    RegistrySettingsKey(kSimulatedCardsSettingsKey).SetBinaryBelow("Setups\\Short", "Mixer20", shortRecord, 4);
    for (const char* setup : {"\"No Such Setup\"", "Short"}) {
        SCOPED_TRACE(setup);
        DeskProcess desk("desk-sim.exe", std::string("--cards 1 --no-monitor --setup ") + setup);
        EXPECT_EQ(desk.WaitForExit(), 2u);
        EXPECT_FALSE(HasRecord("Mixer20"));
    }
}

// Changes reach the registry as they are made: a desk that is killed, with
// no save point reached, starts again with its last click's settings, and a
// start with no click writes nothing.
TEST_F(DeskProcessTest, AKilledDeskRestartsWithItsLastClicksSettings) {
    constexpr int kFs256 = 2065;
    {
        DeskProcess desk("desk-sim.exe", "--cards 1 --no-monitor");
        HWND window = desk.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(kSimulatedKey.Exists()) << "a start alone writes nothing";
        HWND fs256 = GetDlgItem(window, kFs256);
        ASSERT_NE(fs256, nullptr);
        PostMessageA(fs256, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageA(fs256, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        ASSERT_TRUE(WaitUntil([] { return HasRecord("Mixer20"); }));
        ASSERT_TRUE(TerminateProcess(desk.process(), 9));
        EXPECT_EQ(desk.WaitForExit(), 9u);
    }
    DeskProcess again("desk-sim.exe", "--cards 1 --no-monitor");
    HWND window = again.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(window, kFs256), BM_GETCHECK, 0, 0), 1);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(again.WaitForExit(), 0u);
}

// What a benchmark or a script waits on instead of polling: the event is set
// once the window exists and every card's panel has been restored, i.e. the
// last card's settings have reached it (its sample-rate byte is the last
// thing a restore sends the external unit).
TEST_F(DeskProcessTest, ReadyEventComesOnceTheLastCardIsRestored) {
    const std::string eventName = "desk-process-test-ready-" + std::to_string(GetCurrentProcessId());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(ready, nullptr);
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string tracePath = std::string(folder) + "desk-process-test-ready.trace";
    DeleteFileA(tracePath.c_str());

    DeskProcess desk("desk-sim.exe", "--cards 4 --no-monitor --trace \"" + tracePath + "\" --ready-event " + eventName);
    ASSERT_EQ(WaitForSingleObject(ready, 20000), WAIT_OBJECT_0);
    std::stringstream trace;
    trace << std::ifstream(tracePath).rdbuf();
    EXPECT_NE(trace.str().find("\n3 # unit rate 0xc1\n"), std::string::npos) << trace.str().substr(0, 400);
    HWND window = desk.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(desk.WaitForExit(), 0u);
    CloseHandle(ready);
    DeleteFileA(tracePath.c_str());
}

}  // namespace
