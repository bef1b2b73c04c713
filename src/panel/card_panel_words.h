// The words of a card's column, beside its layout: for each control the name
// a screen reader says, with the card and the group ("Card 2, clock source,
// word clock"), and the tip shown under the pointer, which is also the
// reader's description. Portable: no windows.h here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "panel/card_panel_layout.h"

struct PanelWords {
    const char* group;  // "clock source"; null for the card's badge, which is named by its card alone
    const char* name;   // "word clock"
    const char* tip;    // "Word clock: the card takes its sample clock from the word clock input"
};

// The words of a layout row's control, or null for a row the table does not
// know.
const PanelWords* WordsOfRow(const PanelControlRow& row);

// The name a reader says for the row's control in `card`'s column (card 0 is
// "Card 1"); empty when the row has no words or the card no column.
std::string ReaderName(const PanelControlRow& row, int32_t card);
