// The control gallery's plan and its notification lines.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "gallery/gallery_layout.h"
#include "gallery/gallery_options.h"

namespace {

constexpr int kNamesWidth = 110;  // the class name and what it is, above the control

std::vector<GalleryBox> Boxes(const GalleryCell& cell) {
    return {{cell.x, cell.y - 30, cell.x + kNamesWidth, cell.y},
            {cell.x, cell.y, cell.x + cell.width, cell.y + cell.height},
            GalleryReadoutBox(cell)};
}

bool Overlap(const GalleryBox& a, const GalleryBox& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(GalleryPlanTest, OneControlOfEachClassInsideTheWindowAboveTheLogNoneOverlapping) {
    std::set<std::string> classes;
    std::set<int> ids;
    for (size_t i = 0; i < GalleryCellCount(); ++i) {
        const GalleryCell& a = GalleryCells()[i];
        classes.insert(a.className);
        ids.insert(a.id);
        EXPECT_GE(a.x, 0) << a.id;
        EXPECT_GE(a.y - 30, 0) << a.id << ": room for its names above it";
        EXPECT_LE(a.x + a.width, kGalleryWidth) << a.id;
        EXPECT_LE(a.y + a.height, kGalleryLogTop - 24) << a.id;
        EXPECT_EQ(FindGalleryCell(a.id), &a);
        EXPECT_TRUE(a.drives == 0 || FindGalleryCell(a.drives) != nullptr) << a.id << " drives no cell of the gallery";
        EXPECT_GE(GalleryReadoutBox(a).right - GalleryReadoutBox(a).left, 36) << a.id << ": room for its value";
        EXPECT_LE(GalleryReadoutBox(a).right, kGalleryWidth) << a.id;
        // Its names above it, the control, its value beside it: none of them
        // touches another cell's (the gallery redraws values under no control).
        for (size_t j = 0; j < GalleryCellCount(); ++j) {
            const GalleryCell& b = GalleryCells()[j];
            if (i == j) continue;
            for (const GalleryBox& mine : Boxes(a)) {
                for (const GalleryBox& theirs : Boxes(b)) {
                    EXPECT_FALSE(Overlap(mine, theirs)) << a.id << " and " << b.id;
                }
            }
        }
    }
    EXPECT_EQ(classes.size(), 15u);
    EXPECT_EQ(ids, (std::set<int>{201, 301, 401, 501, 601, 701, 801, 901, 1001, 1101, 1201, 1301, 1401, 1501, 1601}));
    EXPECT_EQ(FindGalleryCell(5000), nullptr);
}

// The cells are listed column by column, a column beginning where they go
// back up: a column's cells share its first one's x (but for the digit
// display, beside its slider), and each row across is one of the first
// column's, so that the names and values line up.
TEST(GalleryPlanTest, CellsStandInThreeColumnsOfFiveRows) {
    std::set<int> rows;
    int column = -1, x = 0, previousY = 1 << 30;
    for (size_t i = 0; i < GalleryCellCount(); ++i) {
        const GalleryCell& cell = GalleryCells()[i];
        SCOPED_TRACE(cell.what);
        if (cell.kind != GalleryKind::DigitDisplay) {
            if (cell.y < previousY) {
                ++column;
                x = cell.x;
            }
            previousY = cell.y;
            EXPECT_EQ(cell.x, x);
        }
        if (column == 0) {
            rows.insert(cell.y);
        } else {
            EXPECT_EQ(rows.count(cell.y), 1u) << "off the rows";
        }
    }
    EXPECT_EQ(column, 2);
    EXPECT_EQ(rows.size(), 5u);
}

TEST(GalleryPlanTest, EventLinesTellIdMessageCodeAndValue) {
    const struct {
        GalleryEvent event;
        const char* line;
    } cases[] = {
        {{601, GalleryMessage::Command, 1, 0}, "601 COMMAND 1"},
        {{1001, GalleryMessage::Command, 0, 0}, "1001 COMMAND 0"},
        {{901, GalleryMessage::VScroll, 5, 63}, "901 VSCROLL 5 63"},
        {{1401, GalleryMessage::HScroll, 4, 0xFFFF}, "1401 HSCROLL 4 65535"},
        {{901, GalleryMessage::DoubleClick, 0, 0}, "901 DBLCLK"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EventLine(c.event), c.line);
        EXPECT_NE(DescribeEvent(c.event).find(std::to_string(c.event.id)), std::string::npos) << c.line;
    }
    EXPECT_EQ(DescribeEvent({901, GalleryMessage::VScroll, 5, 63}),
              "vertical slider 901: WM_VSCROLL, SB_THUMBTRACK (5), value 63");
}

TEST(GalleryPlanTest, OptionsTakeTheirValues) {
    GalleryOptions options;
    OptionError error;
    ASSERT_TRUE(
        ParseGalleryOptions({"--events", "e.txt", "--draw-trace", "t.txt", "--ready-event", "r"}, &options, &error));
    EXPECT_EQ(options.eventsFile, "e.txt");
    EXPECT_EQ(options.drawTraceFile, "t.txt");
    EXPECT_EQ(options.readyEvent, "r");
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--events"}, {"--events", ""}, {"--loud"}, {"--draw-trace"}}) {
        GalleryOptions other;
        EXPECT_FALSE(ParseGalleryOptions(bad, &other, &error)) << bad[0];
        EXPECT_EQ(error.option, bad[0]) << error.what;
    }
    GalleryOptions help;
    EXPECT_TRUE(ParseGalleryOptions({"--help"}, &help, &error));
    EXPECT_TRUE(help.help);
}

}  // namespace
