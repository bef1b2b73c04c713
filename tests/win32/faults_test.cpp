// The simulated desk as a real process under faults of its surroundings: no
// card, an absent external unit, a stuck port bridge, a settings key that
// cannot be created. In each the desk keeps working (or ends as designed),
// and the records it leaves in the registry are exactly what the clicks set.
//
// Clicks are posted to the controls as the mouse would; a marker value
// posted to a digit field after them shows when the desk has handled
// everything before it, however long the card kept it busy.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/registry_settings_key_win32.h"
#include "panel/card_panel.h"
#include "settings/settings_store.h"
#include "support/desk_process.h"
#include "support/registry_fixture.h"

namespace {

constexpr DWORD kBusyDeskMs = 120000;  // a stuck bridge holds the desk for seconds per unit byte
constexpr int kRecordSlots = 17;
constexpr UINT kCmdGigaSamplerOn = 921;
constexpr UINT kCmdClosePanel = 1004;

std::vector<int32_t> StoredRecord(const char* name) {
    std::vector<BYTE> bytes;
    DWORD type = 0;
    if (!kSimulatedKey.Read(name, &bytes, &type) || type != REG_BINARY || bytes.size() != kRecordSlots * 4) return {};
    std::vector<int32_t> slots(kRecordSlots);
    std::memcpy(slots.data(), bytes.data(), bytes.size());
    return slots;
}

// The desk in its own process, driven by posted clicks.
class RemoteDesk {
public:
    explicit RemoteDesk(const std::string& arguments) : process_("desk-sim.exe", arguments + " --no-monitor") {
        window_ = process_.WaitForMainWindow(kBusyDeskMs);
    }
    HWND window() const { return window_; }
    DeskProcess& process() { return process_; }

    HWND Control(int column, uint16_t base) const { return GetDlgItem(window_, MakeControlId(column, base)); }

    void Click(int column, uint16_t base) {
        HWND control = Control(column, base);
        PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    void Command(UINT id) { PostMessageA(window_, WM_COMMAND, id, 0); }

    // True once the desk has handled every message posted so far.
    bool Settle(DWORD ms = kBusyDeskMs) {
        HWND field = Control(0, kBaseFrames);
        marker_ = marker_ % 30 + 1;
        PostMessageA(field, SBM_SETPOS, marker_, 0);
        return WaitUntil(
            [&] {
                DWORD_PTR value = 0;
                return SendMessageTimeoutA(field, SBM_GETPOS, 0, 0, SMTO_NORMAL, 1000, &value) != 0 &&
                       value == static_cast<DWORD_PTR>(marker_);
            },
            ms);
    }
    bool Checked(int column, uint16_t base) const {
        DWORD_PTR value = 0;
        SendMessageTimeoutA(Control(column, base), BM_GETCHECK, 0, 0, SMTO_NORMAL, kBusyDeskMs, &value);
        return value == 1;
    }
    DWORD Close() {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        return process_.WaitForExit(kBusyDeskMs);
    }

private:
    DeskProcess process_;
    HWND window_ = nullptr;
    int marker_ = 0;
};

// Every group of column 0 once, the generator started and stopped again;
// then column 1 on the unit's clock, automatic rate, routing off and a set B
// click that routing off swallows.
void ClickThroughTwoColumns(RemoteDesk& desk) {
    desk.Click(0, kBaseCoaxial);
    desk.Click(0, kBaseFs256);
    desk.Click(0, kBaseClockSource + 2);
    desk.Click(0, kBaseRouteB + 2);
    desk.Click(0, kBaseRate + 2);
    desk.Click(0, kBaseFrameRate + 4);
    desk.Click(0, kBaseStart);
    desk.Click(0, kBaseStart);
    desk.Click(1, kBaseClockSource + 3);
    desk.Click(1, kBaseAutoRate);
    desk.Click(1, kBaseRoutingOff);
    desk.Click(1, kBaseRouteB);
}

const std::vector<int32_t> kColumn0AfterClicks = {1, 0, 1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 2, 4};
const std::vector<int32_t> kColumn1AfterClicks = {0, 1, 0, 3, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0};

class FaultsTest : public ::testing::Test {
protected:
    void SetUp() override { kSimulatedKey.Delete(); }
    void TearDown() override { kSimulatedKey.Delete(); }
};

TEST_F(FaultsTest, NoCardEndsAtOnceAndLeavesStoredRecordsAlone) {
    const std::vector<BYTE> record(68, 0x5A);
    const std::vector<BYTE> option = {3, 0, 0, 0};
    kSimulatedKey.Write("Mixer20", REG_BINARY, record);
    kSimulatedKey.Write("Mixer23", REG_DWORD, option);
    kSimulatedKey.Write("DSOUND", REG_BINARY, option);
    const DWORD started = GetTickCount();
    DeskProcess desk("desk-sim.exe", "--cards 0 --no-monitor");
    ASSERT_TRUE(desk.started());
    EXPECT_EQ(desk.WaitForExit(15000), 0u);
    std::printf("desk-sim --cards 0 ended after %lu ms\n", static_cast<unsigned long>(GetTickCount() - started));
    std::vector<BYTE> bytes;
    DWORD type = 0;
    ASSERT_TRUE(kSimulatedKey.Read("Mixer20", &bytes, &type));
    EXPECT_EQ(bytes, record);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_TRUE(kSimulatedKey.Read("Mixer23", &bytes, &type));
    EXPECT_EQ(bytes, option);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    ASSERT_TRUE(kSimulatedKey.Read("DSOUND", &bytes, &type));
    EXPECT_EQ(bytes, option);
    EXPECT_FALSE(kSimulatedKey.Read("Mixer21", &bytes, &type));
}

TEST_F(FaultsTest, AbsentUnitLeavesTheDeskWorkingAndTheGeneratorStartCompletes) {
    RemoteDesk desk("--cards 2 --no-unit");
    ASSERT_NE(desk.window(), nullptr);
    ClickThroughTwoColumns(desk);
    ASSERT_TRUE(desk.Settle()) << "the desk did not come back from the clicks";
    EXPECT_FALSE(desk.Checked(0, kBaseStart)) << "started and stopped";
    EXPECT_TRUE(desk.Checked(0, kBaseRate + 2));
    EXPECT_TRUE(desk.Checked(1, kBaseRoutingOff));
    // It still takes clicks after the unit failed to answer all of them.
    desk.Click(0, kBaseStart);
    ASSERT_TRUE(desk.Settle());
    EXPECT_TRUE(desk.Checked(0, kBaseStart));
    desk.Click(0, kBaseStart);
    ASSERT_TRUE(desk.Settle());
    EXPECT_EQ(desk.Close(), 0u);
    EXPECT_EQ(StoredRecord("Mixer20"), kColumn0AfterClicks);
    EXPECT_EQ(StoredRecord("Mixer21"), kColumn1AfterClicks);
}

TEST_F(FaultsTest, StuckBridgeSlowsUnitBytesButTheDeskEndsWithTheClickedRecords) {
    // Only the rate click sends a unit byte (each costs seconds with the
    // bridge stuck); the other groups write control words, which do not go
    // through the bridge.
    RemoteDesk desk("--cards 1 --stuck-bridge");
    ASSERT_NE(desk.window(), nullptr);
    desk.Click(0, kBaseCoaxial);
    desk.Click(0, kBaseFs256);
    desk.Click(0, kBaseClockSource + 2);
    desk.Click(0, kBaseRouteB + 2);
    desk.Click(0, kBaseRate + 2);
    ASSERT_TRUE(desk.Settle()) << "the desk did not come back from the clicks";
    EXPECT_TRUE(desk.Checked(0, kBaseRate + 2));
    EXPECT_TRUE(desk.Checked(0, kBaseFs256));
    EXPECT_EQ(desk.Close(), 0u);
    EXPECT_EQ(StoredRecord("Mixer20"), (std::vector<int32_t>{1, 0, 1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 2, 0}));
}

// ---- A settings key that cannot be created --------------------------------
// Wine's registry ignores access lists for RegOpenKeyA and RegCreateKeyA, but
// it refuses a lasting key under a volatile one: with the key's parent
// (empty but for the desk's key) made volatile, the desk's key can be
// neither opened (it is gone) nor created. The desk's own key lies under
// "MediaResources", the simulated desk's under the program's key of the
// user.

struct KeyAndParent {
    HKEY root;
    const char* parentPath;
    const char* path;
    const RegistryTestKey& key;
};
const KeyAndParent kDeskKeyAndParent = {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\MediaResources",
                                        "System\\CurrentControlSet\\Control\\MediaResources\\TaraDock24", kDeskKey};
const KeyAndParent kSimulatedKeyAndParent = {HKEY_CURRENT_USER, "Software\\TaraDock-20 Control Desk",
                                             "Software\\TaraDock-20 Control Desk\\Simulated Cards", kSimulatedKey};

template <const KeyAndParent& kPlace>
class UncreatableKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        kPlace.key.Delete();
        HKEY parent = nullptr;
        if (RegOpenKeyA(kPlace.root, kPlace.parentPath, &parent) == ERROR_SUCCESS) {
            DWORD subkeys = 0, values = 0;
            RegQueryInfoKeyA(parent, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                             nullptr, nullptr);
            RegCloseKey(parent);
            if (subkeys != 0 || values != 0) GTEST_SKIP() << kPlace.parentPath << " holds more than the desk's key";
            RegDeleteKeyA(kPlace.root, kPlace.parentPath);
        }
        HKEY volatileParent = nullptr;
        if (RegCreateKeyExA(kPlace.root, kPlace.parentPath, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &volatileParent, nullptr) != ERROR_SUCCESS) {
            GTEST_SKIP() << "cannot make a volatile " << kPlace.parentPath;
        }
        RegCloseKey(volatileParent);
        madeVolatile_ = true;
        HKEY probe = nullptr;
        if (RegCreateKeyA(kPlace.root, kPlace.path, &probe) == ERROR_SUCCESS) {
            RegCloseKey(probe);
            GTEST_SKIP() << "this registry lets a lasting key live under a volatile one";
        }
    }
    void TearDown() override {
        if (madeVolatile_) {
            kPlace.key.Delete();
            RegDeleteKeyA(kPlace.root, kPlace.parentPath);
            HKEY parent = nullptr;
            if (RegCreateKeyA(kPlace.root, kPlace.parentPath, &parent) == ERROR_SUCCESS) RegCloseKey(parent);
        }
        kPlace.key.Delete();
    }

private:
    bool madeVolatile_ = false;
};
using UncreatableDeskKeyTest = UncreatableKeyTest<kDeskKeyAndParent>;
using UncreatableSimulatedKeyTest = UncreatableKeyTest<kSimulatedKeyAndParent>;

TEST_F(UncreatableDeskKeyTest, PrimitivesFallBackAndWriteNothing) {
    RegistrySettingsKey key{kDeskSettingsKey};
    SetSettingsKey(&key);
    WriteSetting("GSIF", "\1\0\0\0", 4);
    int32_t value = -1;
    const int32_t fallback = 7;
    EXPECT_EQ(ReadSetting("GSIF", &fallback, &value, 4), 4u);
    EXPECT_EQ(value, 7);
    EXPECT_FALSE(kDeskKey.Exists());
    SetSettingsKey(nullptr);
}

TEST_F(UncreatableSimulatedKeyTest, DeskRunsOnDefaultsAndEndsWithoutStoringAnything) {
    RemoteDesk desk("--cards 2");
    ASSERT_NE(desk.window(), nullptr);
    // The default record was restored: set A routes the second pair.
    EXPECT_TRUE(desk.Checked(0, kBaseRouteA + 1));
    ClickThroughTwoColumns(desk);
    desk.Command(kCmdGigaSamplerOn);
    desk.Command(kCmdClosePanel);
    ASSERT_TRUE(desk.Settle());
    EXPECT_TRUE(desk.Checked(0, kBaseFs256));
    EXPECT_TRUE(desk.Checked(1, kBaseRoutingOff));
    EXPECT_EQ(desk.Close(), 0u);
    EXPECT_FALSE(kSimulatedKey.Exists());
}

}  // namespace
