// The simulated driver's timecode forwarding: while a simulated card's unit
// generator runs, a background thread posts each MIDI Time Code byte it
// produces to the window named in that card's block, as the driver would.
#pragma once

#include "card/card_types.h"
#include "sim/sim_card.h"

// cards[i] and blocks[i] belong to column i, which goes out in lParam. The
// cards and blocks must outlive the poster. Starting again restarts it.
void StartMtcPoster(SimCard* const* cards, SharedCardBlock* const* blocks, int count);
// Ends the thread and waits for it. Harmless when not started. Call it
// before the cards and blocks go away (at the latest when the desk's loop
// has ended).
void StopMtcPoster();
