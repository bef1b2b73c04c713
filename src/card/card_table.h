// Card discovery and the table of found cards. A card's column is its
// position in this table.
#pragma once

#include <cstdint>

#include "card/card_types.h"

// 0: at least one card found; 1: the driver cannot be opened; 2: the driver
// answered for no card.
int32_t DiscoverCards();
// Discovers the cards and, when there is at least one, restores every card's
// settings record. Returns the number of cards (0 to 4).
int32_t OpenCards();
int32_t CardCount();
CardLink* CardAt(int32_t column);
int32_t DriverIndexAt(int32_t column);
void SetNotifyWindow(int32_t column, uint32_t window);
void SetCardRunning(CardLink* link, int32_t flag);
