#include "controls/popup_menu_selector.h"

#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/control_input.h"
#include "controls/control_text.h"
#include "controls/popup_menu_selection.h"
#include "controls/push_button.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"

namespace {

const char kPopMenuClassName[] = "Kiv_PopMenuClass";

static_assert(kPopupMenuFirstItemId == kFirstItemCommand, "one numbering of the items");

struct PopMenuState {
    SkinImage faceBitmap;  // drawn at (20, 0) behind the item text
    LONG selection;        // position of the selected item, from 0
    LONG itemCount;        // the wrap point of stepping
    HMENU menu;            // the items; the selector's own, destroyed with it
};

enum SelectorNotification : WORD { kSelectionChanged = 1, kRightClicked = 2 };

constexpr int kFaceLeft = 20;
constexpr int kTextLeft = 24;
constexpr int kTextTop = 4;
constexpr int kItemTextSize = 64;

// The text of the selected item, or an empty text when no item stands at
// that position; returns its length. Only what the menu copied is read.
int SelectedItemText(const PopMenuState& state, char (&text)[kItemTextSize]) {
    text[0] = '\0';
    if (!SelectionHasItem(state.selection, state.itemCount)) return 0;
    const int copied =
        GetMenuStringA(state.menu, static_cast<UINT>(state.selection), text, kItemTextSize, MF_BYPOSITION);
    if (copied <= 0) {
        text[0] = '\0';
        return 0;
    }
    return static_cast<int>(TextLength(text, kItemTextSize));
}

void Kiv_DrawPopMenu(const PaintTarget& target, int, PopMenuState* state) {
    ToolkitTrace("Kiv_DrawPopMenu\n");
    if (state == nullptr) return;
    CopyWholeImage(target.dc, kFaceLeft, 0, state->faceBitmap);
    char text[kItemTextSize];
    const int length = SelectedItemText(*state, text);
    {
        ScopedSelection font(target.dc, toolkitFont);
        SetBkMode(target.dc, TRANSPARENT);
        TextOutA(target.dc, kTextLeft, kTextTop, text, length);
    }
    const SIZE face = state->faceBitmap.size;
    DrawFocusMark(target.window, target.dc, RECT{kFaceLeft, 0, kFaceLeft + face.cx, face.cy});
}

void DestroyOwnMenu(PopMenuState& state) {
    if (state.menu != nullptr) DestroyMenu(state.menu);
}

const ControlClass<PopMenuState> kPopMenu = {Kiv_DrawPopMenu,         0, true, nullptr, DestroyOwnMenu,
                                             ControlKeys::kBothClicks};

void Select(HWND window, PopMenuState* state, LONG selection, bool notify) {
    state->selection = selection;
    PaintNow(window, kPopMenu);
    if (notify) PostControlCommand(window, kSelectionChanged);
}

// Shows the menu with its top-left corner at `corner` (screen coordinates)
// and the selected item checked; returns when it closes. A choice arrives
// afterwards as a WM_COMMAND with code 0.
void OpenMenu(HWND window, PopMenuState* state, POINT corner) {
    const UINT checked = static_cast<UINT>(state->selection);
    CheckMenuItem(state->menu, checked, MF_BYPOSITION | MF_CHECKED);
    TrackPopupMenu(state->menu, TPM_RIGHTBUTTON, corner.x, corner.y, 0, window, nullptr);
    // The menu loop runs other messages: look the block up again, in case
    // the selector was destroyed meanwhile (its menu went with it).
    if (PopMenuState* after = StateOf<PopMenuState>(window))
        CheckMenuItem(after->menu, checked, MF_BYPOSITION | MF_UNCHECKED);
}

// A command from a child (the clicks of the toolkit's buttons) or from the
// menu (code 0).
void Command(HWND window, PopMenuState* state, WORD id, WORD code) {
    switch (code) {
    case 1:  // a left click; only the opener's counts, and opens at the pointer
        if (id == kPopupMenuOpenerId) {
            POINT pointer = {0, 0};
            GetCursorPos(&pointer);
            OpenMenu(window, state, pointer);
        }
        break;
    case 2:  // a right click, from any child
        PostControlCommand(window, kRightClicked);
        break;
    default:  // a chosen item, unchecked against the item count
        Select(window, state, SelectionOfCommand(id), true);
        break;
    }
}

// From the keyboard: Space and Enter open the menu as the opener's click
// does, under the face rather than at a pointer that may be anywhere; Down
// and Right step as a click on the face does. False for any other key.
bool Key(HWND window, PopMenuState* state, WPARAM key, LPARAM keyData) {
    if (!FocusMarksOn()) return false;
    if (key == VK_DOWN || key == VK_RIGHT) {
        PlayClick(window, MouseButton::kLeft);
        return true;
    }
    const bool opens = key == VK_RETURN || (key == VK_SPACE && !ShiftHeld());
    if (!opens) return false;
    if (IsKeyRepeat(keyData)) return true;  // a held key opens it once
    // The key's character, queued already, would choose at once in the menu
    // and close it: it goes first.
    MSG character;
    while (PeekMessageA(&character, window, WM_CHAR, WM_CHAR, PM_REMOVE)) {
    }
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    POINT corner = {kFaceLeft, client.bottom};
    ClientToScreen(window, &corner);
    OpenMenu(window, state, corner);
    return true;
}

// The items, item i at command 5001 + i; null when the menu cannot be made.
HMENU BuildMenu(const PopupMenuSelectorArgs& args) {
    if (!FitsPopupMenu(args.itemCount) || (args.items == nullptr && args.itemCount > 0)) return nullptr;
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return nullptr;
    for (int i = 0; i < args.itemCount; ++i) {
        const char* text = args.items[i] != nullptr ? args.items[i] : "";
        if (!AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(kFirstItemCommand + i), text)) {
            DestroyMenu(menu);
            return nullptr;
        }
    }
    return menu;
}

// A button with a drop-down whose value is the item chosen; a click steps
// to the next item.
void Describe(HWND window, AccessibleFacts* facts) {
    facts->role = ROLE_SYSTEM_BUTTONDROPDOWN;
    facts->click = ClickMeaning::kNext;
    const PopMenuState* state = StateOf<PopMenuState>(window);
    if (state == nullptr) return;
    char text[kItemTextSize];
    SelectedItemText(*state, text);
    lstrcpynA(facts->value, text, sizeof facts->value);
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PopMenuState* state = StateOf<PopMenuState>(window);
    if (state == nullptr) return ControlProcedure(kPopMenu, window, message, wParam, lParam);
    switch (message) {
    case SBM_SETPOS: Select(window, state, static_cast<LONG>(wParam), false); return 0;
    case SBM_GETPOS: return state->selection;
    case WM_LBUTTONUP: Select(window, state, NextSelection(state->selection, state->itemCount), true); return 0;
    case WM_RBUTTONUP: PostControlCommand(window, kRightClicked); return 0;
    case WM_COMMAND: Command(window, state, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_KEYDOWN:
        if (Key(window, state, wParam, lParam)) return 0;
        break;
    default: break;
    }
    return ControlProcedure(kPopMenu, window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK PopupMenuSelectorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreatePopupMenuSelector(HINSTANCE instance, HWND parent, int id, int x, int y, const PopupMenuSelectorArgs& args) {
    HMENU menu = BuildMenu(args);
    if (menu == nullptr) return nullptr;
    const SIZE face = args.face.size;
    const ControlPlace place = {instance, parent, id, x, y, {kFaceLeft + face.cx, face.cy}, args.label, WS_TABSTOP};
    HWND window = CreateControl<PopMenuState>(kPopMenuClassName, place, [&](HWND window, PopMenuState& state) {
        state.faceBitmap = args.face;
        state.selection = args.selection;
        state.itemCount = args.itemCount;
        state.menu = menu;
        if (args.openerReleased || args.openerPressed)
            CreatePushButton(instance, window, kPopupMenuOpenerId, 0, 0, args.openerReleased, args.openerPressed);
    });
    if (window == nullptr) DestroyMenu(menu);
    return window;
}
