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

// After the card lost power (a standby of the machine), the block no longer
// tells what the card holds. What it says was sent goes back to how the desk
// found it, so that the next restore sends what the start sent: each control
// word's shadow takes back the low 16 bits it held when the card was found
// (the upper bits are the driver's and stay), and the applied sample rate
// becomes 0, not known, so the rate goes out again even when it equals the
// one sent before.
void ForgetSentSettings(int32_t column);
