// The show/hide toggle of the timecode row: the window's form follows the
// toggle's state, and every column's toggle shows the same state.
#include <gtest/gtest.h>

#include <cstring>

#include "fake_panel_fixture.h"
#include "panel/panel_logic.h"

namespace panel_test {
namespace {

class PanelShowHideTest : public PanelFixture {};

TEST_F(PanelShowHideTest, RightClicksKeepTheWindowsHeight) {
    controls.LeftClick(Panel().showHide);
    EXPECT_EQ(desk.clientHeight, FakeDeskWindow::kTallClient);

    // A right click re-runs the handler on the unchanged state.
    controls.RightClick(Panel().showHide);
    controls.RightClick(Panel().showHide);
    EXPECT_EQ(desk.clientHeight, FakeDeskWindow::kTallClient);

    controls.LeftClick(Panel().showHide);
    EXPECT_EQ(desk.clientHeight, FakeDeskWindow::kShortClient);
    controls.RightClick(Panel().showHide);
    controls.RightClick(Panel().showHide);
    EXPECT_EQ(desk.clientHeight, FakeDeskWindow::kShortClient);

    const std::vector<bool> expected = {true, true, true, false, false, false};
    EXPECT_EQ(desk.rowShownCalls, expected);
}

TEST_F(PanelShowHideTest, EveryColumnShowsTheSameStateAndNothingIsStored) {
    FindCards({0, 1, 3});
    const MixerSettings before = Record(1);
    Mark(1);
    controls.LeftClick(Panel(1).showHide);
    for (int32_t c = 0; c < 3; ++c) {
        EXPECT_TRUE(controls.Checked(Panel(c).showHide)) << c;
    }
    EXPECT_EQ(std::memcmp(&before, &Record(1), sizeof before), 0);
    EXPECT_TRUE(Card(1).Events().empty());

    // Column 2's spare id (base 2113) acts as its show/hide toggle.
    controls.checks[Panel(2).showHide] = 0;
    RoutePanelCommand(MakeControlId(2, kBaseShowHideSpare), 0);
    for (int32_t c = 0; c < 3; ++c) {
        EXPECT_FALSE(controls.Checked(Panel(c).showHide)) << c;
    }
    EXPECT_EQ(desk.clientHeight, FakeDeskWindow::kShortClient);
}

}  // namespace
}  // namespace panel_test
