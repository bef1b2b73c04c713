// Selection arithmetic of the popup-menu selector: the step on a left click
// with its wrap, the position a chosen command stands for, and whether a
// selection names an item. Portable: no windows.h here.
#pragma once

#include <cstdint>

constexpr int kFirstItemCommand = 5001;  // item i carries command 5001 + i
// Item commands travel in the low word of WM_COMMAND: 5001 + i must fit it.
constexpr int kMostMenuItems = 0xFFFF - kFirstItemCommand + 1;

// One step: selection + 1, or 0 when that is not below the item count
// (signed comparison; a selection at the top of the int range wraps too).
int32_t NextSelection(int32_t selection, int32_t itemCount);

// The position a menu command stands for: its id less 5001, unchecked
// against the item count.
int32_t SelectionOfCommand(uint16_t commandId);

// Whether position `selection` holds one of `itemCount` items.
bool SelectionHasItem(int32_t selection, int32_t itemCount);

// Whether a selector can carry `itemCount` items.
bool FitsPopupMenu(int itemCount);
