#include "controls/control_access.h"

#include <cstring>
#include <new>

#include "controls/accessible_object_win32.h"
#include "controls/control_input.h"
#include "win32/system_function_win32.h"

namespace {

const char kTipProperty[] = "KivTip";

void Describe(DescribeControl describe, HWND window, AccessibleFacts* facts) {
    *facts = AccessibleFacts();
    describe(window, facts);
}

const char* ActionName(ClickMeaning click, LONG states) {
    switch (click) {
    case ClickMeaning::kToggle: return (states & STATE_SYSTEM_CHECKED) != 0 ? "Uncheck" : "Check";
    case ClickMeaning::kPress: return "Press";
    case ClickMeaning::kStepUp: return "Increase";
    case ClickMeaning::kNext: return "Next";
    case ClickMeaning::kNone: break;
    }
    return nullptr;
}

// The states every window has for a reader, beside what its class knows.
LONG WindowStates(HWND window) {
    LONG states = 0;
    if (!IsWindowVisible(window)) states |= STATE_SYSTEM_INVISIBLE;
    if (!IsWindowEnabled(window)) states |= STATE_SYSTEM_UNAVAILABLE;
    if ((GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) != 0) states |= STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == window) states |= STATE_SYSTEM_FOCUSED;
    return states;
}

// One control as a reader sees it. The facts are read anew at every call,
// so the reader always hears the control as it is; a reader that holds the
// object after the control is gone gets CO_E_OBJNOTCONNECTED.
class ControlAccessible : public AccessibleObject {
public:
    ControlAccessible(HWND window, DescribeControl describe) : window_(window), describe_(describe) {}

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) return E_POINTER;
        *parent = nullptr;
        if (!IsWindow(window_)) return CO_E_OBJNOTCONNECTED;
        HWND owner = GetParent(window_);
        if (owner == nullptr) return S_FALSE;
        // The group the control's window puts it in (a card's column), or
        // the window itself.
        *parent = reinterpret_cast<IDispatch*>(
            SendMessageA(owner, AccessibleGroupMessage(), reinterpret_cast<WPARAM>(window_), 0));
        if (*parent != nullptr) return S_OK;
        const ReaderLibraries* system = LoadReaderLibraries();
        if (system == nullptr) return S_FALSE;
        return system->objectFromWindow(owner, static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                        reinterpret_cast<void**>(parent));
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsWindow(window_)) return CO_E_OBJNOTCONNECTED;
        char text[128] = "";
        GetWindowTextA(window_, text, sizeof text);
        return AnswerText(child, text, name);
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        AccessibleFacts facts;
        if (!Read(&facts)) return CO_E_OBJNOTCONNECTED;
        return AnswerText(child, facts.value, value);
    }

    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (!IsWindow(window_)) return CO_E_OBJNOTCONNECTED;
        return AnswerText(child, ControlTip(window_), description);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        AccessibleFacts facts;
        if (!Read(&facts)) return CO_E_OBJNOTCONNECTED;
        return AnswerNumber(child, facts.role == kRoleByGroup ? ToggleRole(window_) : facts.role, role);
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        AccessibleFacts facts;
        if (!Read(&facts)) return CO_E_OBJNOTCONNECTED;
        return AnswerNumber(child, facts.states | WindowStates(window_), state);
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus == nullptr) return E_POINTER;
        if (!IsWindow(window_)) return CO_E_OBJNOTCONNECTED;
        if (GetFocus() != window_) return AccessibleObject::get_accFocus(focus);
        focus->vt = VT_I4;
        focus->lVal = CHILDID_SELF;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        AccessibleFacts facts;
        if (!Read(&facts)) return CO_E_OBJNOTCONNECTED;
        return AnswerText(child, ActionName(facts.click, facts.states), action);
    }

    // What a click does, through the same press and release as the mouse's:
    // the same notification to the parent, the same access to the card.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        AccessibleFacts facts;
        if (!Read(&facts)) return CO_E_OBJNOTCONNECTED;
        if (!IsSelf(child)) return E_INVALIDARG;
        if (facts.click == ClickMeaning::kNone) return DISP_E_MEMBERNOTFOUND;
        if (!IsWindowVisible(window_) || !IsWindowEnabled(window_)) return E_FAIL;
        PlayClick(window_, MouseButton::kLeft);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* width, LONG* height, VARIANT child) override {
        if (!IsWindow(window_)) return CO_E_OBJNOTCONNECTED;
        RECT area = {};
        GetWindowRect(window_, &area);
        return AnswerPlace(child, area, x, y, width, height);
    }

    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        if (child == nullptr) return E_POINTER;
        if (!IsWindow(window_)) return CO_E_OBJNOTCONNECTED;
        RECT area = {};
        GetWindowRect(window_, &area);
        const POINT point = {x, y};
        if (!PtInRect(&area, point)) return AccessibleObject::accHitTest(x, y, child);
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        return S_OK;
    }

private:
    bool Read(AccessibleFacts* facts) const {
        if (!IsWindow(window_)) return false;
        Describe(describe_, window_, facts);
        return true;
    }

    HWND window_;
    DescribeControl describe_;
};

LRESULT AnswerReader(HWND window, DescribeControl describe, UINT message, WPARAM wParam, LPARAM lParam) {
    const ReaderLibraries* system =
        static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT) ? LoadReaderLibraries() : nullptr;
    if (system == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    ControlAccessible* object = new (std::nothrow) ControlAccessible(window, describe);
    if (object == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    const LRESULT answer = system->resultFromObject(IID_IAccessible, wParam, object);
    object->Release();
    return answer;
}

// The messages that never change what a reader hears of a control: the
// facts are not read around them (a repaint stays as fast as it was).
bool ChangesNothing(UINT message) {
    switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_ERASEBKGND:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_GETDLGCODE:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_NCPAINT:
    case WM_CREATE:
    case WM_NCCREATE:
    case WM_DESTROY:
    case WM_NCDESTROY: return true;
    default: return false;
    }
}

typedef void(WINAPI* NotifyWinEventFunction)(DWORD, HWND, LONG, LONG);

// Windows 95 has no NotifyWinEvent: there no reader listens.
NotifyWinEventFunction FindNotifyWinEvent() {
    static bool looked = false;
    static NotifyWinEventFunction notify = nullptr;
    if (!looked) {
        looked = true;
        notify = SystemFunction<NotifyWinEventFunction>(GetModuleHandleA("user32.dll"), "NotifyWinEvent");
    }
    return notify;
}

void TellReader(HWND window, const AccessibleFacts& before, const AccessibleFacts& after) {
    const auto notify = FindNotifyWinEvent();
    if (notify == nullptr) return;
    if (before.states != after.states) notify(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    if (std::strcmp(before.value, after.value) != 0)
        notify(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace

LRESULT ReaderAwareProcedure(ClassProcedure procedure, DescribeControl describe, HWND window, UINT message,
                             WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETOBJECT) return AnswerReader(window, describe, message, wParam, lParam);
    if (message == WM_NCDESTROY) RemovePropA(window, kTipProperty);
    if (ChangesNothing(message)) return procedure(window, message, wParam, lParam);
    AccessibleFacts before = {};
    Describe(describe, window, &before);
    const LRESULT result = procedure(window, message, wParam, lParam);
    if (IsWindow(window)) {
        AccessibleFacts after = {};
        Describe(describe, window, &after);
        TellReader(window, before, after);
    }
    return result;
}

LONG ToggleRole(HWND toggle) {
    // Another member right after it, or it is not the first of its group.
    const LONG style = GetWindowLongA(toggle, GWL_STYLE);
    HWND next = GetWindow(toggle, GW_HWNDNEXT);
    const bool followed = next != nullptr && (GetWindowLongA(next, GWL_STYLE) & WS_GROUP) == 0;
    const bool first = (style & WS_GROUP) != 0 || GetWindow(toggle, GW_HWNDPREV) == nullptr;
    return followed || !first ? ROLE_SYSTEM_RADIOBUTTON : ROLE_SYSTEM_CHECKBUTTON;
}

void SetControlWords(HWND control, const char* name, const char* tip) {
    if (control == nullptr) return;
    if (name != nullptr) SetWindowTextA(control, name);
    if (tip != nullptr) SetPropA(control, kTipProperty, reinterpret_cast<HANDLE>(const_cast<char*>(tip)));
}

const char* ControlTip(HWND control) {
    return control != nullptr ? reinterpret_cast<const char*>(GetPropA(control, kTipProperty)) : nullptr;
}

UINT AccessibleGroupMessage() {
    static const UINT message = RegisterWindowMessageA("KivAccessibleGroup");
    return message;
}
