// A change that a click or the driver makes to a card's record is written to
// the registry at once, so a crash loses nothing; a start and anything that
// leaves the record as it was write nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "desk_test_hooks.h"
#include "fake_panel_fixture.h"
#include "panel/panel_logic.h"

namespace panel_test {
namespace {

class PanelSaveTest : public StoredPanelsFixture {
protected:
    std::vector<uint8_t> Stored(const char* name) {
        return key.values.count(name) ? key.values[name].bytes : std::vector<uint8_t>{};
    }
    std::vector<uint8_t> Bytes(int32_t c) {
        const uint8_t* p = reinterpret_cast<const uint8_t*>(&Record(c));
        return std::vector<uint8_t>(p, p + sizeof(MixerSettings));
    }
};

TEST_F(PanelSaveTest, RestoringAtStartWritesNothing) { EXPECT_EQ(key.writes, 0); }

struct SaveCase {
    const char* what;
    std::function<void()> act;
    std::vector<std::string> written;
};

TEST_F(PanelSaveTest, WhatChangesARecordStoresItAtOnce) {
    const SaveCase cases[] = {
        {"256 fs on column 0", [this] { controls.LeftClick(Panel(0).fs256); }, {"Mixer20"}},
        {"word clock on column 1", [this] { controls.LeftClick(Panel(1).wordClock); }, {"Mixer21"}},
        {"a right click on the checked fs toggle", [this] { controls.RightClick(Panel(0).fs256); }, {}},
        {"the timecode row", [this] { controls.LeftClick(Panel(0).showHide); }, {}},
        {"the generator's start", [this] { controls.LeftClick(Panel(0).start); }, {}},
        {"a frame rate", [this] { controls.LeftClick(Panel(0).frameRate[2]); }, {"Mixer20"}},
        {"the driver routing set A row 0", [] { OnRoutingNotify(0u, (1u << 16) | 1u); }, {"Mixer21"}},
        {"the driver repeating it", [] { OnRoutingNotify(0u, (1u << 16) | 1u); }, {}},
    };
    for (const SaveCase& c : cases) {
        key.values.clear();
        c.act();
        std::vector<std::string> written;
        for (const auto& value : key.values) written.push_back(value.first);
        EXPECT_EQ(written, c.written) << c.what;
        for (const std::string& name : written) {
            EXPECT_EQ(Stored(name.c_str()), Bytes(name == "Mixer20" ? 0 : 1)) << c.what;
        }
    }
}

}  // namespace
}  // namespace panel_test
