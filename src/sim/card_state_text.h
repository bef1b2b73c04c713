// A simulated card's state as text: lines of "key: value" that a person can
// read and a script can pick apart, headed by "card <column>". Portable.
//
//   card 0
//   digital input: optical
//   fs mode: fs
//   clock source: word clock
//   routing: set A -> output pair 3-4, set B -> none      (or "off")
//   ...
//   command 1: stop [EF]                                   (newest first)
#pragma once

#include <string>

#include "card/card_types.h"
#include "sim/sim_card.h"

class SimDriverLink;

// How many of the unit's last commands the text form lists.
constexpr int kCommandsListed = 8;

std::string FormatCardState(int column, const SimCardState& state, const SharedCardBlock& block);

// Every card of the simulated driver in column order, after a first line
// "cards: <count>", each card's text preceded by an empty line.
std::string FormatAllCardStates(SimDriverLink& driver);
