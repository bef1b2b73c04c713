#include "controls/popup_menu_selection.h"

int32_t NextSelection(int32_t selection, int32_t itemCount) {
    const int64_t next = static_cast<int64_t>(selection) + 1;
    return next >= itemCount ? 0 : static_cast<int32_t>(next);
}

int32_t SelectionOfCommand(uint16_t commandId) { return static_cast<int32_t>(commandId) - kFirstItemCommand; }

bool SelectionHasItem(int32_t selection, int32_t itemCount) { return selection >= 0 && selection < itemCount; }

bool FitsPopupMenu(int itemCount) { return itemCount >= 0 && itemCount <= kMostMenuItems; }
