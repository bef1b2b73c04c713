// The column's layout table and the command router: ids, places, the
// handles the panel keeps, and commands the router must leave alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fake_panel_fixture.h"
#include "panel/card_panel.h"
#include "panel/card_panel_layout.h"
#include "panel/card_panel_words.h"
#include "panel/panel_logic.h"

namespace panel_test {
namespace {

TEST(PanelLayoutTest, ControlIdsCarryTheColumn) {
    EXPECT_EQ(MakeControlId(2, kBaseCoaxial), 10240);
    EXPECT_EQ(MakeControlId(2, kBaseFrameRate + 4), 10356);
    EXPECT_EQ(StaticBitmapId(3), 53248);
    EXPECT_EQ(StaticBitmapId(0), 4096);
    for (int32_t column = 0; column < kPanelColumns; ++column) {
        const uint16_t id = MakeControlId(column, kBaseRoutingOff);
        EXPECT_EQ(ControlIdColumn(id), column);
        EXPECT_EQ(ControlIdBase(id), kBaseRoutingOff);
    }
}

// The arrow keys move within a group, from its first control (the one that
// starts it) up to the next that starts one: the groups of choices are
// exactly these, in this order, and every other control is a group alone.
// Every control carries a name of its own for screen readers, and a tip.
TEST(PanelLayoutTest, GroupsOfChoicesAndNamesInReadingOrder) {
    const std::vector<std::vector<uint16_t>> groups = {
        {kBaseCoaxial, kBaseOptical},
        {kBaseFs, kBaseFs256},
        {kBaseClockSource, kBaseClockSource + 1, kBaseClockSource + 2, kBaseClockSource + 3},
        {kBaseRouteA, kBaseRouteA + 1, kBaseRouteA + 2, kBaseRouteA + 3},
        {kBaseRouteB, kBaseRouteB + 1, kBaseRouteB + 2, kBaseRouteB + 3},
        {kBaseRate, kBaseRate + 1, kBaseRate + 2},
        {kBaseFrameRate, kBaseFrameRate + 1, kBaseFrameRate + 2, kBaseFrameRate + 3, kBaseFrameRate + 4},
    };
    std::vector<std::vector<uint16_t>> found;
    std::set<std::string> names;
    const PanelControlRow* rows = PanelLayoutRows();
    for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
        const PanelControlRow& row = rows[i];
        const std::string name = ReaderName(row, 2);
        EXPECT_EQ(name.rfind("Card 3", 0), 0u) << "row " << i << ": " << name;
        EXPECT_TRUE(names.insert(name).second) << "two controls are named " << name;
        const PanelWords* words = WordsOfRow(row);
        ASSERT_NE(words, nullptr) << "row " << i;
        // A tip says what the control does in one line that fits a small
        // screen.
        EXPECT_GT(std::strlen(words->tip), 20u) << name;
        EXPECT_LE(std::strlen(words->tip), 90u) << name;
        if (row.kind != ControlKind::Toggle && row.kind != ControlKind::DigitField) {
            EXPECT_TRUE(row.groupStart) << "row " << i << " would join its neighbours' group";
            continue;
        }
        if (row.groupStart) found.emplace_back();
        ASSERT_FALSE(found.empty());
        found.back().push_back(row.baseId);
    }
    found.erase(std::remove_if(found.begin(), found.end(), [](const std::vector<uint16_t>& g) { return g.size() < 2; }),
                found.end());
    EXPECT_EQ(found, groups);
    // As a reader says them: the card, the group, the control; the badge by
    // its card alone.
    const std::pair<size_t, const char*> said[] = {{0, "Card 3, digital input, coaxial"},
                                                   {6, "Card 3, clock source, word clock"},
                                                   {10, "Card 3, routing set A, outputs 5-6"},
                                                   {12, "Card 3, output routing, outputs 1-2"},
                                                   {26, "Card 3"},
                                                   {35, "Card 3, frame rate, 30 fps drop-frame"}};
    for (const auto& row : said) {
        EXPECT_EQ(ReaderName(rows[row.first], 2), row.second);
    }
    EXPECT_EQ(ReaderName(rows[0], kPanelColumns), "") << "no fifth card";
    EXPECT_EQ(ReaderName(rows[0], -1), "") << "no card before the first";
}

TEST(PanelLayoutTest, RowsMakeOneColumnOfThirtySevenControls) {
    ASSERT_EQ(PanelLayoutRowCount(), 37u);
    int toggles = 0, statics = 0, badges = 0, digits = 0;
    const PanelControlRow* rows = PanelLayoutRows();
    for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
        switch (rows[i].kind) {
        case ControlKind::Toggle: ++toggles; break;
        case ControlKind::StaticBitmap: ++statics; break;
        case ControlKind::CardBadge: ++badges; break;
        case ControlKind::DigitField: ++digits; break;
        }
    }
    EXPECT_EQ(toggles, 28);
    EXPECT_EQ(statics, 4);
    EXPECT_EQ(badges, 1);
    EXPECT_EQ(digits, 4);
    // Creation order: the first is coaxial, the last the 30-frames toggle.
    EXPECT_EQ(rows[0].baseId, kBaseCoaxial);
    EXPECT_EQ(rows[36].baseId, kBaseFrameRate + 4);
    EXPECT_STREQ(LayoutBitmap(rows[26], 2), "id3");
}

TEST(PanelLayoutTest, ControlsStayInTheirRowAndDoNotOverlap) {
    const PanelControlRow* rows = PanelLayoutRows();
    const size_t count = PanelLayoutRowCount();
    for (size_t i = 0; i < count; ++i) {
        const PanelControlRow& r = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i + 1);
        EXPECT_GE(r.x, 0);
        EXPECT_LE(r.x + r.width, 339);
        EXPECT_EQ(OnTimecodeRow(r), i >= 27) << "hidden and shown with the timecode row";
        if (i < 27) {  // on "mainbak"
            EXPECT_LE(r.y + r.height, 254);
        } else {  // on "smptebak", shown only in the tall form
            EXPECT_GE(r.y, 254);
            EXPECT_LE(r.y + r.height, 354);
        }
        for (size_t j = i + 1; j < count; ++j) {
            const PanelControlRow& s = rows[j];
            const bool apart =
                r.x + r.width <= s.x || s.x + s.width <= r.x || r.y + r.height <= s.y || s.y + s.height <= r.y;
            EXPECT_TRUE(apart) << "overlaps row " << j + 1;
        }
    }
}

// The width and height in a skin bitmap's header (resources/skin/NAME.bmp,
// found in any case, as Windows finds a resource); 0 x 0 for none.
std::pair<int32_t, int32_t> SkinBitmapSize(std::string name) {
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::ifstream file(std::string(DESK_SKIN_FOLDER) + "/" + name + ".bmp", std::ios::binary);
    unsigned char header[26] = {};
    if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return {0, 0};
    const auto field = [&](int at) {
        return static_cast<int32_t>(header[at] | header[at + 1] << 8 | header[at + 2] << 16 |
                                    static_cast<uint32_t>(header[at + 3]) << 24);
    };
    return {field(18), std::abs(field(22))};
}

// A control is the size of its pictures. A group of choices stands in a
// line from its first member, one toggle's pitch apart (16 pixels down, 45
// across for the frame rates); a routing row is a set A button, its label
// and a set B button with a pixel between; the switches beside the groups
// share their places with what they stand beside.
TEST(PanelLayoutTest, ControlsAreTheirPicturesSizeAndStandInLines) {
    const PanelControlRow* rows = PanelLayoutRows();
    std::vector<const PanelControlRow*> group;
    const auto checkGroup = [&] {
        if (group.size() < 2) return;
        const bool down = group[1]->x == group[0]->x;
        for (size_t k = 0; k < group.size(); ++k) {
            const int32_t step = static_cast<int32_t>(k);
            EXPECT_EQ(group[k]->x, group[0]->x + (down ? 0 : 45 * step))
                << "member " << k << " of " << group[0]->onBitmap;
            EXPECT_EQ(group[k]->y, group[0]->y + (down ? 16 * step : 0))
                << "member " << k << " of " << group[0]->onBitmap;
        }
    };
    for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
        const PanelControlRow& row = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i + 1);
        for (const char* bitmap : {row.onBitmap, row.offBitmap, LayoutBitmap(row, 0)}) {
            if (bitmap == nullptr) continue;
            const std::pair<int32_t, int32_t> size = {row.width, row.height};
            EXPECT_EQ(SkinBitmapSize(bitmap), size) << bitmap;
        }
        if (row.kind != ControlKind::Toggle) continue;
        if (row.groupStart) {
            checkGroup();
            group.clear();
        }
        group.push_back(&row);
    }
    checkGroup();
    const auto at = [&](uint16_t baseId) {
        for (size_t i = 0; i < PanelLayoutRowCount(); ++i)
            if (rows[i].kind != ControlKind::StaticBitmap && rows[i].baseId == baseId) return rows[i];
        ADD_FAILURE() << "no control " << baseId;
        return rows[0];
    };
    for (uint16_t r = 0; r < 4; ++r) {
        const PanelControlRow& a = at(kBaseRouteA + r);
        const PanelControlRow& b = at(kBaseRouteB + r);
        const PanelControlRow* label = nullptr;
        for (size_t i = 0; i < PanelLayoutRowCount(); ++i)
            if (rows[i].kind == ControlKind::StaticBitmap && rows[i].y == a.y) label = &rows[i];
        ASSERT_NE(label, nullptr) << "routing row " << r;
        EXPECT_EQ(label->x, a.x + a.width + 1) << "routing row " << r;
        EXPECT_EQ(b.x, label->x + label->width + 1) << "routing row " << r;
        EXPECT_EQ(b.y, a.y) << "routing row " << r;
    }
    EXPECT_EQ(at(kBaseAutoRate).x, at(kBaseRoutingOff).x);
    EXPECT_EQ(at(kBaseShowHide).x, at(kBaseRate).x);
    for (uint16_t field = 1; field < 4; ++field) {
        EXPECT_EQ(at(kBaseHours + field).y, at(kBaseHours).y);
        EXPECT_EQ(at(kBaseHours + field).x, at(kBaseHours).x + 55 * field);
    }
}

TEST(PanelLayoutTest, EveryHandleOfThePanelIsFilledOnceAndIdsNeverClash) {
    constexpr size_t kHandles = (sizeof(CardPanel) - offsetof(CardPanel, coaxial)) / sizeof(ControlHandle);
    std::set<uint16_t> ids;
    for (int32_t column = 0; column < kPanelColumns; ++column) {
        CardPanel panel{};
        std::set<ControlHandle*> slots;
        const PanelControlRow* rows = PanelLayoutRows();
        for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
            const uint16_t id = LayoutControlId(rows[i], column);
            if (rows[i].kind == ControlKind::StaticBitmap || rows[i].kind == ControlKind::CardBadge) {
                EXPECT_EQ(PanelFieldSlot(panel, rows[i].field, rows[i].index), nullptr);
                continue;
            }
            EXPECT_TRUE(ids.insert(id).second) << "id " << id;
            EXPECT_FALSE(id >= 910 && id <= 1005) << "menu command id " << id;
            ControlHandle* slot = PanelFieldSlot(panel, rows[i].field, rows[i].index);
            ASSERT_NE(slot, nullptr) << "row " << i + 1;
            EXPECT_TRUE(slots.insert(slot).second) << "row " << i + 1;
        }
        EXPECT_EQ(slots.size(), kHandles);
    }
}

class PanelRouterTest : public PanelFixture {};

TEST_F(PanelRouterTest, CommandsWithoutAHandlerOrCardChangeNothing) {
    FindCards({0, 1});
    const uint32_t ignored[] = {
        915,
        929,
        939,                           // gaps in the menu's ranges
        MakeControlId(0, kBaseHours),  // the digit fields' own commands
        MakeControlId(1, kBaseFrames),
        MakeControlId(0, kBaseRouteA + 4),
        MakeControlId(2, kBaseCoaxial),  // column 2 has no card
        MakeControlId(15, kBaseRoutingOff),
        StaticBitmapId(1),
    };
    for (uint32_t id : ignored) {
        Mark(0);
        Mark(1);
        EXPECT_EQ(RoutePanelCommand(id | (1u << 16), 0), 0);
        EXPECT_TRUE(controls.setChecks.empty()) << id;
        EXPECT_TRUE(desk.rowShownCalls.empty()) << id;
        EXPECT_TRUE(Card(0).Events().empty()) << id;
        EXPECT_TRUE(Card(1).Events().empty()) << id;
    }
}

TEST_F(PanelRouterTest, ColumnFromTheIdPicksTheCard) {
    FindCards({1, 2});
    Mark(0);
    Mark(1);
    controls.LeftClick(Panel(1).fs256);
    EXPECT_TRUE(Card(0).Events().empty());
    EXPECT_EQ(Card(1).Events(), Sent({{1, 1}}, 1));
    EXPECT_EQ(Record(1).fsMode, 1);
    EXPECT_EQ(Record(0).fsMode, 0);
}

}  // namespace
}  // namespace panel_test
