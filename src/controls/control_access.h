// How a control explains itself to the eye and to a screen reader, the part
// every class shares: what a class says of one of its windows (its facts),
// the procedure around the class's own that answers a reader and tells it of
// every change, and the words a program gives each control (the name a
// reader says, the tip under the pointer).
//
// A reader (Microsoft Active Accessibility) asks a window with WM_GETOBJECT
// and gets the control's own IAccessible. The libraries that takes are
// looked up when the first reader asks: Windows 95 has none of them, and a
// desk that no reader ever asks loads nothing of them.
#pragma once

#include <windows.h>
#include <oleacc.h>

// What a click on the control does, for the reader's default action: the
// action's name and, through the same press and release as the mouse's,
// the action itself.
enum class ClickMeaning {
    kNone,    // a display, or a value control the user drags
    kToggle,  // "Check" while unchecked, "Uncheck" while checked
    kPress,   // "Press"
    kStepUp,  // "Increase" (a digit field counts up)
    kNext,    // "Next" (a list or a selector moves to its next item)
};

// The role of a toggle, told by its group (ToggleRole): not worked out at
// every message, only when a reader asks.
constexpr LONG kRoleByGroup = 0;

// What a class says of one of its windows, read from its state block.
struct AccessibleFacts {
    LONG role;           // ROLE_SYSTEM_…, or kRoleByGroup
    LONG states;         // STATE_SYSTEM_CHECKED, _MIXED or _PRESSED where the control is so
    ClickMeaning click;  // its default action
    char value[64];      // its value as a reader says it; empty for none
};

// A class's reading of its window; the window may have no state block (the
// facts are then those of an empty control).
typedef void (*DescribeControl)(HWND window, AccessibleFacts* facts);
typedef LRESULT (*ClassProcedure)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Every class's window procedure: the class's own procedure, and around it
// what is the same for all fifteen. WM_GETOBJECT for the client object is
// answered with the control's IAccessible (any other object goes to
// DefWindowProc); after a message that changed the control's checked,
// mixed or pressed state or its value, the reader is told
// (EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE), whatever sent it: a
// click, a key, the driver's notification, a restore. Focus events are the
// system's own. At WM_NCDESTROY the control's tip goes.
LRESULT ReaderAwareProcedure(ClassProcedure procedure, DescribeControl describe, HWND window, UINT message,
                             WPARAM wParam, LPARAM lParam);

// A toggle's role: a radio button when its WS_GROUP group has other
// members (the others go off when it goes on), else a check button.
LONG ToggleRole(HWND toggle);

// The words of a control: `name`, what a reader says (with the card and the
// group, "Card 2, clock source, word clock"), becomes its window text;
// `tip`, a text that lives as long as the program (a literal), is shown
// under the pointer and is the reader's description. A null tip keeps none.
void SetControlWords(HWND control, const char* name, const char* tip);
// The control's tip, or null.
const char* ControlTip(HWND control);

// The message a control sends its parent to learn which group it belongs to
// for a reader (a card's column): the parent answers with an IDispatch of
// the group, whose reference goes to the caller, or 0 for none (the parent
// window itself is then the control's parent). wParam is the control.
UINT AccessibleGroupMessage();
