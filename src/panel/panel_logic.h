// The card panel's logic: a click on a toggle becomes a card setting and a
// change of the card's settings record; a panel is restored from its record;
// the driver's routing notifications are followed. Portable: no windows.h.
#pragma once

#include <cstdint>

#include "card/card_registers.h"
#include "panel/desk_window.h"
#include "settings/settings_store.h"

// Handles a WM_COMMAND from a panel control: the column comes from the id's
// top bits, the handler from its low twelve bits. Returns 0.
int32_t RoutePanelCommand(uint32_t wParam, uint32_t lParam);

void OnDigitalInput(int32_t c, int32_t member);
void OnFsMode(int32_t c, int32_t member);
void OnClockSource(int32_t c, int32_t member);
// Shows or hides the timecode row through the installed DeskWindow.
void OnShowHide(int32_t c);
void OnSampleRate(int32_t c, int32_t member);  // 0..2 a rate, 3 auto
void OnRoutingA(int32_t c, int32_t row);
void OnRoutingB(int32_t c, int32_t row);
void OnRoutingOff(int32_t c);

// Low nibble: routed row of set A (0xF for none); high nibble: set B's.
uint8_t ComputeRoutingByte(const MixerSettings& record);

// Sets a freshly built panel (every toggle unchecked) from its record and
// sends the record's settings to the card.
void RestoreCardPanel(int32_t c);

// After a standby, in which the card lost power and woke on its defaults:
// sends the card its record again, the same accesses as the restore at start
// sends from the same record, and shows it. The generator is shown stopped
// and is not started; the show/hide toggle, the window's height and the
// digit fields stay as they are. Writes nothing to the registry.
void ResumeCardPanel(int32_t c);
// The same for every column, in column order.
void ResumeAllCardPanels();

// Sets column c from `record` as the restore at start sets a card from its
// stored record (the same accesses in the same order, on a panel with every
// setting toggle unchecked), shows it and stores the record at once. A
// running generator is stopped first, as the restore expects; the timecode
// row and its fields stay as they are.
void ApplyCardRecord(int32_t c, const MixerSettings& record);

// The record a card ends up with once a stored `record` is restored:
// values brought into their groups, the timecode row and routing off not
// kept.
MixerSettings RecordAsRestored(const MixerSettings& record);

// The driver's routing notification. Returns 0.
int32_t OnRoutingNotify(uint32_t wParam, uint32_t lParam);
