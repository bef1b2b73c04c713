#include <gtest/gtest.h>

#include "card/card_table.h"
#include "desk_test_hooks.h"
#include "fake_desk_fixture.h"
#include "settings/settings_store.h"

namespace {

class CardTableTest : public FakeDeskTest {};

TEST_F(CardTableTest, NoDriverGivesOneAndNoCard) {
    driver.opens = false;
    EXPECT_EQ(DiscoverCards(), 1);
    EXPECT_EQ(CardCount(), 0);
    EXPECT_EQ(OpenCards(), 0);
    EXPECT_TRUE(driver.queried.empty());
}

TEST_F(CardTableTest, DriverAnsweringNoIndexGivesTwo) {
    EXPECT_EQ(DiscoverCards(), 2);
    EXPECT_EQ(CardCount(), 0);
    EXPECT_EQ(driver.closes, 1);
    EXPECT_EQ(driver.queried, (std::vector<int32_t>{0, 1, 2, 3}));
}

TEST_F(CardTableTest, AnsweringIndicesFillColumnsInOrderWithoutGaps) {
    driver.answering = {1, 3};
    EXPECT_EQ(DiscoverCards(), 0);
    ASSERT_EQ(CardCount(), 2);
    EXPECT_EQ(DriverIndexAt(0), 1);
    EXPECT_EQ(DriverIndexAt(1), 3);
    EXPECT_EQ(CardAt(0)->block, &driver.blocks[1]);
    EXPECT_EQ(CardAt(1)->block, &driver.blocks[3]);
    EXPECT_EQ(driver.closes, 1);
}

TEST_F(CardTableTest, FourIndicesGiveFourCardsAndNoFifthIsAskedFor) {
    driver.answering = {0, 1, 2, 3, 4};
    EXPECT_EQ(OpenCards(), 4);
    EXPECT_EQ(driver.queried, (std::vector<int32_t>{0, 1, 2, 3}));
}

TEST_F(CardTableTest, RecordsBelongToColumnsNotDriverIndices) {
    key.Put("Mixer20", kRegBinary, std::vector<uint8_t>(68, 0));
    driver.answering = {1, 3};
    ASSERT_EQ(OpenCards(), 2);
    EXPECT_EQ(SettingsRecord(0).routeA[1], 0) << "column 0 took Mixer20";
    EXPECT_EQ(SettingsRecord(1).routeA[1], 1) << "column 1 took the default";
}

// No card is counted without a usable block and register space; the link
// made for a card whose register space could not be made is given back
// (LeakSanitizer would report it).
TEST_F(CardTableTest, CardsWithoutABlockOrRegisterSpaceAreNotCounted) {
    driver.answeringNull = {0, 2};
    driver.answering = {1};
    EXPECT_EQ(DiscoverCards(), 0);
    ASSERT_EQ(CardCount(), 1);
    EXPECT_EQ(DriverIndexAt(0), 1);

    ResetCardTableForTest();
    driver.registers = nullptr;
    EXPECT_EQ(DiscoverCards(), 2);
    EXPECT_EQ(CardCount(), 0);
    EXPECT_EQ(OpenCards(), 0);
}

TEST_F(CardTableTest, NotifyWindowTouchesOnlyThatColumnsBlock) {
    driver.answering = {0, 1, 2};
    ASSERT_EQ(DiscoverCards(), 0);
    SetNotifyWindow(1, 0x1234);
    EXPECT_EQ(driver.blocks[0].notifyWindow, 0u);
    EXPECT_EQ(driver.blocks[1].notifyWindow, 0x1234u);
    EXPECT_EQ(driver.blocks[2].notifyWindow, 0u);
    SetCardRunning(CardAt(2), 1);
    EXPECT_EQ(driver.blocks[2].running, 1);
    EXPECT_EQ(driver.blocks[1].running, 0);
}

}  // namespace
