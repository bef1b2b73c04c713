#include "panel/card_panel_access_win32.h"

#include <new>

#include "card/card_table.h"
#include "controls/accessible_object_win32.h"
#include "controls/control_access.h"
#include "panel/card_panel_layout.h"
#include "panel/card_panel_layout_win32.h"

namespace {

IDispatch* ObjectOfWindow(HWND window, LONG object) {
    const ReaderLibraries* system = LoadReaderLibraries();
    IDispatch* answer = nullptr;
    if (system != nullptr && window != nullptr)
        system->objectFromWindow(window, static_cast<DWORD>(object), IID_IDispatch, reinterpret_cast<void**>(&answer));
    return answer;
}

HRESULT AnswerObject(IDispatch* object, VARIANT* answer) {
    if (object == nullptr) {
        answer->vt = VT_EMPTY;
        return S_FALSE;
    }
    answer->vt = VT_DISPATCH;
    answer->pdispVal = object;
    return S_OK;
}

bool IsCard(int card) { return card >= 0 && card < CardCount(); }

// A card's column (`timecode` false) or its timecode row (true): its
// members are the rows of the layout on that side of the timecode line; the
// column's last member is the timecode row's group.
class ColumnGroup : public AccessibleObject {
public:
    ColumnGroup(HWND window, int card, bool timecode) : window_(window), card_(card), timecode_(timecode) {}

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) return E_POINTER;
        *parent = timecode_ ? Group(card_, false) : ObjectOfWindow(window_, OBJID_CLIENT);
        return *parent != nullptr ? S_OK : S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (count == nullptr) return E_POINTER;
        *count = Connected() ? MemberCount() : 0;
        return Connected() ? S_OK : CO_E_OBJNOTCONNECTED;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > MemberCount()) return E_INVALIDARG;
        *object = Member(child.lVal);
        return *object != nullptr ? S_OK : S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        char text[16] = "Timecode";
        if (!timecode_) wsprintfA(text, "Card %d", card_ + 1);
        return AnswerText(child, text, name);
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        if (!timecode_) return AccessibleObject::get_accValue(child, value);
        // The four fields as the row shows them.
        LRESULT part[4] = {};
        const PanelControlRow* rows = PanelLayoutRows();
        for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
            const int field = static_cast<int>(rows[i].field) - static_cast<int>(PanelField::Hours);
            if (field >= 0 && field < 4) part[field] = SendMessageA(ColumnControl(card_, i), SBM_GETPOS, 0, 0);
        }
        char text[40];
        wsprintfA(text, "%02ld:%02ld:%02ld:%02ld", static_cast<long>(part[0]), static_cast<long>(part[1]),
                  static_cast<long>(part[2]), static_cast<long>(part[3]));
        return AnswerText(child, text, value);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return AnswerNumber(child, ROLE_SYSTEM_GROUPING, role);
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        RECT area;
        return AnswerNumber(child, Place(&area) ? 0 : STATE_SYSTEM_INVISIBLE, state);
    }

    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* width, LONG* height, VARIANT child) override {
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        RECT area = {};
        Place(&area);
        return AnswerPlace(child, area, x, y, width, height);
    }

    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (end == nullptr) return E_POINTER;
        end->vt = VT_EMPTY;
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        if (!IsSelf(start)) return E_INVALIDARG;
        switch (direction) {
        case NAVDIR_FIRSTCHILD: return AnswerObject(Member(1), end);
        case NAVDIR_LASTCHILD: return AnswerObject(Member(MemberCount()), end);
        // From card to card; the timecode row has no neighbours of its kind.
        case NAVDIR_NEXT:
        case NAVDIR_RIGHT: return AnswerObject(timecode_ ? nullptr : Group(card_ + 1, false), end);
        case NAVDIR_PREVIOUS:
        case NAVDIR_LEFT: return AnswerObject(timecode_ ? nullptr : Group(card_ - 1, false), end);
        default: return S_FALSE;
        }
    }

    static IDispatch* Group(int card, bool timecode);

private:
    bool Connected() const { return IsWindow(window_) && IsCard(card_); }

    bool Belongs(size_t row) const { return OnTimecodeRow(PanelLayoutRows()[row]) == timecode_; }

    LONG MemberCount() const {
        LONG count = timecode_ ? 0 : 1;
        for (size_t i = 0; i < PanelLayoutRowCount(); ++i)
            if (Belongs(i)) ++count;
        return count;
    }

    // Member `number`, from 1, as an object of its own.
    IDispatch* Member(LONG number) const {
        for (size_t i = 0; i < PanelLayoutRowCount(); ++i)
            if (Belongs(i) && --number == 0) return ObjectOfWindow(ColumnControl(card_, i), OBJID_CLIENT);
        return !timecode_ && number == 1 ? Group(card_, true) : nullptr;
    }

    // The screen rectangle around the visible members; false when none is.
    bool Place(RECT* area) const {
        SetRectEmpty(area);
        bool shown = false;
        for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
            HWND control = ColumnControl(card_, i);
            if (!Belongs(i) || control == nullptr || !IsWindowVisible(control)) continue;
            RECT place;
            GetWindowRect(control, &place);
            UnionRect(area, area, &place);
            shown = true;
        }
        return shown;
    }

    HWND window_;
    int card_;
    bool timecode_;
};

HWND panelWindow = nullptr;

IDispatch* ColumnGroup::Group(int card, bool timecode) {
    if (!IsCard(card) || panelWindow == nullptr) return nullptr;
    return new (std::nothrow) ColumnGroup(panelWindow, card, timecode);
}

// The client area: the cards' groups as its children.
class PanelClient : public AccessibleObject {
public:
    explicit PanelClient(HWND window) : window_(window) {}

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) return E_POINTER;
        *parent = ObjectOfWindow(window_, OBJID_WINDOW);
        return *parent != nullptr ? S_OK : S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (count == nullptr) return E_POINTER;
        *count = IsWindow(window_) ? CardCount() : 0;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (child.vt != VT_I4 || !IsCard(child.lVal - 1)) return E_INVALIDARG;
        *object = ColumnGroup::Group(child.lVal - 1, false);
        return *object != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        char text[128] = "";
        GetWindowTextA(window_, text, sizeof text);
        return AnswerText(child, text, name);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return AnswerNumber(child, ROLE_SYSTEM_CLIENT, role);
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return AnswerNumber(child, IsWindowVisible(window_) ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_INVISIBLE, state);
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus == nullptr) return E_POINTER;
        HWND focused = GetFocus();
        if (focused == nullptr || GetParent(focused) != window_) return AccessibleObject::get_accFocus(focus);
        return AnswerObject(ObjectOfWindow(focused, OBJID_CLIENT), focus);
    }

    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* width, LONG* height, VARIANT child) override {
        RECT area = {};
        GetClientRect(window_, &area);
        MapWindowPoints(window_, HWND_DESKTOP, reinterpret_cast<POINT*>(&area), 2);
        return AnswerPlace(child, area, x, y, width, height);
    }

    // The control under the point, or the client area itself.
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        if (child == nullptr) return E_POINTER;
        POINT point = {x, y};
        ScreenToClient(window_, &point);
        RECT client = {};
        GetClientRect(window_, &client);
        if (!PtInRect(&client, point)) return AccessibleObject::accHitTest(x, y, child);
        for (int card = 0; card < CardCount(); ++card) {
            for (size_t row = 0; row < PanelLayoutRowCount(); ++row) {
                HWND control = ColumnControl(card, row);
                RECT place;
                if (control == nullptr || !IsWindowVisible(control) || !GetWindowRect(control, &place)) continue;
                const POINT screen = {x, y};
                if (PtInRect(&place, screen)) return AnswerObject(ObjectOfWindow(control, OBJID_CLIENT), child);
            }
        }
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (end == nullptr) return E_POINTER;
        end->vt = VT_EMPTY;
        if (!IsSelf(start)) return E_INVALIDARG;
        if (direction == NAVDIR_FIRSTCHILD) return AnswerObject(ColumnGroup::Group(0, false), end);
        if (direction == NAVDIR_LASTCHILD) return AnswerObject(ColumnGroup::Group(CardCount() - 1, false), end);
        return S_FALSE;
    }

private:
    HWND window_;
};

LRESULT GroupOfControl(HWND window, HWND control) {
    int card = 0;
    size_t row = 0;
    // Only the desk's own controls ask: a pointer means nothing to another
    // process, and the reference it carries would never be given back.
    if (InSendMessage() || GetParent(control) != window || !FindColumnControl(control, &card, &row)) return 0;
    return reinterpret_cast<LRESULT>(ColumnGroup::Group(card, OnTimecodeRow(PanelLayoutRows()[row])));
}

}  // namespace

bool AnswerPanelReader(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    panelWindow = window;
    if (message == AccessibleGroupMessage()) {
        *result = GroupOfControl(window, reinterpret_cast<HWND>(wParam));
        return true;
    }
    if (message != WM_GETOBJECT || static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return false;
    const ReaderLibraries* system = LoadReaderLibraries();
    PanelClient* client = system != nullptr ? new (std::nothrow) PanelClient(window) : nullptr;
    if (client == nullptr) return false;
    *result = system->resultFromObject(IID_IAccessible, wParam, client);
    client->Release();
    return true;
}
