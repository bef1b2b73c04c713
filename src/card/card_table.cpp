#include "card/card_table.h"

#include <new>

#include "card/driver_link.h"
#include "settings/settings_store.h"

static_assert(kMaxCards == kSettingsRecords, "one settings record per card");

namespace {

DriverLink* driverLink = nullptr;
CardSlot cardSlots[kMaxCards];
int32_t cardCount = 0;
// The low 16 bits of each control word's shadow as the block held them when
// the card was found: what a start's restore built its words on.
uint16_t wordsFound[kMaxCards][4];

}  // namespace

void SetDriverLink(DriverLink* link) { driverLink = link; }

int32_t DiscoverCards() {
    if (driverLink == nullptr || !driverLink->Open()) return 1;
    cardCount = 0;
    for (int32_t index = 0; index < kMaxCards; ++index) {
        SharedCardBlock* block = nullptr;
        if (!driverLink->QueryBlock(index, &block) || block == nullptr) continue;
        // Links live until the program ends. A card whose link or register
        // space cannot be made is skipped: the count never includes an
        // unusable entry, and a link made for nothing is given back.
        CardLink* link = new (std::nothrow) CardLink{block, nullptr};
        if (link == nullptr) continue;
        link->registers = driverLink->RegistersFor(block);
        if (link->registers == nullptr) {
            delete link;
            continue;
        }
        cardSlots[cardCount] = CardSlot{index, link};
        for (int32_t a = 0; a < 4; ++a)
            wordsFound[cardCount][a] = static_cast<uint16_t>(block->controlShadow[a] & 0xFFFF);
        ++cardCount;
    }
    driverLink->Close();
    SetRecordCount(cardCount);
    return cardCount > 0 ? 0 : 2;
}

int32_t OpenCards() {
    DiscoverCards();
    if (cardCount == 0) return 0;
    LoadAllSettings();
    return cardCount;
}

int32_t CardCount() { return cardCount; }

CardLink* CardAt(int32_t column) { return cardSlots[column].link; }

int32_t DriverIndexAt(int32_t column) { return cardSlots[column].driverIndex; }

void SetNotifyWindow(int32_t column, uint32_t window) { cardSlots[column].link->block->notifyWindow = window; }

void SetCardRunning(CardLink* link, int32_t flag) { link->block->running = flag; }

void ForgetSentSettings(int32_t column) {
    if (column < 0 || column >= cardCount) return;
    SharedCardBlock* block = cardSlots[column].link->block;
    for (int32_t a = 0; a < 4; ++a)
        block->controlShadow[a] = (block->controlShadow[a] & 0xFFFF0000u) | wordsFound[column][a];
    block->sampleRate = 0;
}

void ResetCardTableForTest() {
    for (int32_t i = 0; i < cardCount; ++i) {
        delete cardSlots[i].link;
        cardSlots[i] = CardSlot{0, nullptr};
    }
    cardCount = 0;
    SetRecordCount(0);
}
