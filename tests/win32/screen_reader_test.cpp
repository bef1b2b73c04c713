// What a screen reader hears, asked from another process as a reader asks:
// every control of a two-card simulated desk and of the gallery, walked by
// window handle (Wine's window objects are stubs), against the panel's
// words and the simulated cards' decoded state; then each kind of control
// worked by the reader's own command, with the reader's events watched from
// outside (an out-of-context hook).
#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/desk_messages.h"
#include "gallery/gallery_layout.h"
#include "panel/card_panel_layout.h"
#include "panel/card_panel_words.h"
#include "support/desk_process.h"
#include "support/registry_fixture.h"

namespace {

struct Heard {
    std::string name, value, description, action;
    LONG role = -1, state = -1;
};

std::string Narrow(BSTR text) {
    std::string narrow;
    for (const OLECHAR* c = text; c != nullptr && *c != 0; ++c) narrow += static_cast<char>(*c);
    SysFreeString(text);
    return narrow;
}

VARIANT Self() {
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

IAccessible* ObjectOf(HWND window) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void**>(&object));
    return object;
}

Heard Hear(IAccessible* object) {
    Heard heard;
    if (object == nullptr) return heard;
    const VARIANT self = Self();
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK) heard.name = Narrow(text);
    if (object->get_accValue(self, &text) == S_OK) heard.value = Narrow(text);
    if (object->get_accDescription(self, &text) == S_OK) heard.description = Narrow(text);
    if (object->get_accDefaultAction(self, &text) == S_OK) heard.action = Narrow(text);
    VARIANT answer = {};
    if (object->get_accRole(self, &answer) == S_OK) heard.role = answer.lVal;
    if (object->get_accState(self, &answer) == S_OK) heard.state = answer.lVal;
    return heard;
}

// An object a reader holds, given back at the end of its scope.
struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
using Object = std::unique_ptr<IAccessible, Releaser>;

IAccessible* AsAccessible(IDispatch* object) {
    IAccessible* accessible = nullptr;
    if (object != nullptr) {
        object->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&accessible));
        object->Release();
    }
    return accessible;
}

LONG Count(IAccessible* object) {
    LONG count = -1;
    if (object != nullptr) object->get_accChildCount(&count);
    return count;
}

IAccessible* ChildOf(IAccessible* object, LONG number) {
    VARIANT child = {};
    child.vt = VT_I4;
    child.lVal = number;
    IDispatch* found = nullptr;
    if (object != nullptr) object->get_accChild(child, &found);
    return AsAccessible(found);
}

IAccessible* Toward(IAccessible* object, LONG direction) {
    VARIANT end = {};
    if (object == nullptr || object->accNavigate(direction, Self(), &end) != S_OK || end.vt != VT_DISPATCH)
        return nullptr;
    return AsAccessible(end.pdispVal);
}

// The parent an object names with S_OK, or null.
IAccessible* Parent(IAccessible* object) {
    IDispatch* parent = nullptr;
    const bool named = object != nullptr && object->get_accParent(&parent) == S_OK;
    IAccessible* found = AsAccessible(parent);
    if (named) return found;
    if (found != nullptr) found->Release();
    return nullptr;
}

Heard Hear(HWND window) {
    IAccessible* object = ObjectOf(window);
    const Heard heard = Hear(object);
    if (object != nullptr) object->Release();
    return heard;
}

bool Checked(const Heard& heard) { return (heard.state & STATE_SYSTEM_CHECKED) != 0; }

// The reader's events, as an out-of-context hook receives them.
std::map<std::pair<DWORD, HWND>, int> events;
void CALLBACK KeepEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_CLIENT) ++events[{event, window}];
}

class ScreenReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        kSimulatedKey.Delete();
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        state_ = std::string(folder) + "reader-test.state";
        DeleteFileA(state_.c_str());
    }
    void TearDown() override {
        if (hook_ != nullptr) UnhookWinEvent(hook_);
        kSimulatedKey.Delete();
        CoUninitialize();
    }
    void Listen(const DeskProcess& program) {
        events.clear();
        hook_ = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, KeepEvent, program.id(), 0,
                                WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook_, nullptr);
    }
    // The reader's default action on `control`, then what it should bring.
    static void Act(HWND control) {
        const Object object(ObjectOf(control));
        ASSERT_TRUE(object);
        EXPECT_EQ(object->accDoDefaultAction(Self()), S_OK);
    }
    static bool Told(DWORD event, HWND control) {
        return WaitUntil([&] { return events.count({event, control}) > 0; }, 5000);
    }
    // "KEY: value" of card `card` in the simulated desk's state file.
    std::string CardSays(int card, const std::string& key) const {
        std::ifstream file(state_);
        std::string line, value;
        bool in = false;
        while (std::getline(file, line)) {
            if (line.rfind("card ", 0) == 0) in = line == "card " + std::to_string(card);
            if (in && line.rfind(key + ": ", 0) == 0) value = line.substr(key.size() + 2);
        }
        return value;
    }
    bool CardSoon(int card, const std::string& key, const std::string& value) const {
        return WaitUntil([&] { return CardSays(card, key) == value; }, 10000);
    }

    std::string state_;
    HWINEVENTHOOK hook_ = nullptr;
};

// The toggles a card's decoded state lights, by the names a reader says.
std::set<std::string> LitByTheCard(const std::function<std::string(const std::string&)>& says) {
    const std::map<std::string, std::string> rates = {{"32000", "32 kHz"}, {"44100", "44.1 kHz"}, {"48000", "48 kHz"}};
    std::set<std::string> lit = {"digital input, " + says("digital input"), "fs mode, " + says("fs mode"),
                                 "clock source, " + says("clock source")};
    for (const char* set : {"routing set A", "routing set B"}) {
        const std::string pair = says(set);  // "output pair 1-2" or "none"
        if (pair != "none") lit.insert(std::string(set) + ", outputs " + pair.substr(pair.size() - 3));
    }
    if (says("routing") == "off") lit.insert("output routing, routing off");
    if (says("block running") == "yes")
        lit.insert("sample rate, automatic");
    else if (rates.count(says("sample rate")))
        lit.insert("sample rate, " + rates.at(says("sample rate")));
    if (says("generator") == "running") lit.insert("timecode, start generator");
    return lit;
}

TEST_F(ScreenReaderTest, EveryControlOfTheDeskIsHeardAsItsWordsAndItsCardSayIt) {
    DeskProcess desk("desk-sim.exe", "--cards 2 --no-monitor --state \"" + state_ + "\"");
    HWND window = desk.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, kWmTrayNotify, 0x507, WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    // Both cards restored: the file is written whole, the second card last.
    ASSERT_TRUE(WaitUntil([&] {
        const std::string words = CardSays(1, "control words");
        return !words.empty() && words != "0x0000 0x0000 0x0000 0x0000";
    }));
    Listen(desk);

    // Created in the layout's order, card by card.
    std::vector<HWND> controls;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) controls.push_back(c);
    const size_t rows = PanelLayoutRowCount();
    ASSERT_EQ(controls.size(), 2 * rows);
    for (int card = 0; card < 2; ++card) {
        const std::set<std::string> lit = LitByTheCard([&](const std::string& key) { return CardSays(card, key); });
        for (size_t i = 0; i < rows; ++i) {
            const PanelControlRow& row = PanelLayoutRows()[i];
            const std::string name = ReaderName(row, card);
            SCOPED_TRACE(name);
            const Heard heard = Hear(controls[card * rows + i]);
            EXPECT_EQ(heard.name, name);
            EXPECT_EQ(heard.description, WordsOfRow(row)->tip);
            const bool alone = row.groupStart && (i + 1 == rows || PanelLayoutRows()[i + 1].groupStart);
            const LONG role = row.kind == ControlKind::Toggle
                                  ? (alone ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_RADIOBUTTON)
                              : row.kind == ControlKind::DigitField ? ROLE_SYSTEM_SPINBUTTON
                                                                    : ROLE_SYSTEM_GRAPHIC;
            EXPECT_EQ(heard.role, role);
            EXPECT_EQ((heard.state & STATE_SYSTEM_INVISIBLE) != 0, OnTimecodeRow(row)) << "the timecode row is closed";
            if (row.kind == ControlKind::DigitField) EXPECT_EQ(heard.value, "00");
            if (row.kind != ControlKind::Toggle) continue;
            EXPECT_EQ(heard.action, Checked(heard) ? "Uncheck" : "Check");
            // The frame rates are the record's until a start sends one.
            const std::string said = name.substr(sizeof "Card 1, " - 1);
            if (row.field != PanelField::FrameRate && row.field != PanelField::ShowHide)
                EXPECT_EQ(Checked(heard), lit.count(said) > 0);
        }
    }

    // The columns are groups a reader moves through: each holds its
    // column's controls in the layout's order, its timecode row last, as a
    // group of its own whose value is the row's time.
    const Object client(ObjectOf(window));
    ASSERT_TRUE(client);
    EXPECT_EQ(Count(client.get()), 2);
    const Object card1(ChildOf(client.get(), 1));
    EXPECT_EQ(Hear(Object(Toward(client.get(), NAVDIR_FIRSTCHILD)).get()).name, "Card 1");
    const Object card2(Toward(card1.get(), NAVDIR_NEXT));
    ASSERT_TRUE(card1 && card2);
    EXPECT_EQ(Hear(card1.get()).name, "Card 1");
    EXPECT_EQ(Hear(card2.get()).name, "Card 2");
    EXPECT_EQ(Hear(card2.get()).role, ROLE_SYSTEM_GROUPING);
    const LONG onRow = 10;  // four fields, start and five frame rates
    EXPECT_EQ(Count(card2.get()), static_cast<LONG>(rows) - onRow + 1);
    EXPECT_EQ(Hear(Object(Toward(card2.get(), NAVDIR_FIRSTCHILD)).get()).name, "Card 2, digital input, coaxial");
    const Object timecode(Toward(card2.get(), NAVDIR_LASTCHILD));
    ASSERT_TRUE(timecode);
    EXPECT_EQ(Hear(timecode.get()).name, "Timecode");
    EXPECT_EQ(Count(timecode.get()), onRow);
    EXPECT_EQ(Hear(timecode.get()).value, "00:00:00:00");
    EXPECT_EQ(Hear(Object(ChildOf(timecode.get(), 4)).get()).name, "Card 2, timecode, frames");
    EXPECT_EQ(Hear(Object(Parent(timecode.get())).get()).name, "Card 2");
    // A control's parent is its group; under a point lies its control.
    EXPECT_EQ(Hear(Object(Parent(Object(ObjectOf(controls[rows + 6])).get())).get()).name, "Card 2");
    RECT place = {};
    GetWindowRect(controls[rows + 6], &place);
    VARIANT under = {};
    ASSERT_EQ(client->accHitTest(place.left + 3, place.top + 3, &under), S_OK);
    ASSERT_EQ(under.vt, VT_DISPATCH);
    EXPECT_EQ(Hear(Object(AsAccessible(under.pdispVal)).get()).name, "Card 2, clock source, word clock");
    POINT corner = {0, 0};
    ClientToScreen(window, &corner);
    LONG x = 0, y = 0, width = 0, height = 0;
    EXPECT_EQ(client->accLocation(&x, &y, &width, &height, Self()), S_OK);
    EXPECT_EQ(x, corner.x);
    EXPECT_EQ(y, corner.y);

    // A toggle, worked by the reader: the card, the event and the state.
    HWND wordClock = controls[rows + 6];
    Act(wordClock);
    EXPECT_TRUE(CardSoon(1, "clock source", "word clock"));
    EXPECT_TRUE(Told(EVENT_OBJECT_STATECHANGE, wordClock));
    EXPECT_TRUE(Checked(Hear(wordClock)));
    // The focus went with the click, from card 1's coaxial input, which is
    // told nothing: nothing of it changed. The reader finds the control
    // focused, and where it stands.
    EXPECT_EQ(events.count({EVENT_OBJECT_STATECHANGE, controls[0]}), 0u);
    EXPECT_EQ(events.count({EVENT_OBJECT_VALUECHANGE, controls[0]}), 0u);
    const Object focused(ObjectOf(wordClock));
    VARIANT where = {};
    EXPECT_EQ(focused->get_accFocus(&where), S_OK);
    EXPECT_TRUE(where.vt == VT_I4 && where.lVal == CHILDID_SELF);
    GetWindowRect(wordClock, &place);
    EXPECT_EQ(focused->accHitTest(place.left + 2, place.top + 2, &where), S_OK);
    EXPECT_TRUE(where.vt == VT_I4 && where.lVal == CHILDID_SELF);
    EXPECT_EQ(focused->accHitTest(place.left - 2, place.top, &where), S_FALSE);
    // The driver's routing notification, set A outputs 1-2 on card 1.
    PostMessageA(window, kWmRoutingNotify, MAKEWPARAM(0, 0), MAKELPARAM(1, 0));
    EXPECT_TRUE(Told(EVENT_OBJECT_STATECHANGE, controls[8]));
    EXPECT_TRUE(Checked(Hear(controls[8])));
    // Events come in order: by now the word clock's have all come. It
    // changed once, at the press; its release and the panel's setting of
    // its group changed nothing more.
    EXPECT_EQ((events[{EVENT_OBJECT_STATECHANGE, wordClock}]), 1);
    // The timecode row opened, a field counted up and the generator started.
    Act(controls[25]);
    HWND hours = controls[27];
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(hours) != FALSE; }));
    Act(hours);
    EXPECT_TRUE(Told(EVENT_OBJECT_VALUECHANGE, hours));
    EXPECT_EQ(Hear(hours).value, "01");
    EXPECT_EQ(Hear(Object(Toward(card1.get(), NAVDIR_LASTCHILD)).get()).value, "01:00:00:00");
    Act(controls[31]);
    EXPECT_TRUE(CardSoon(0, "generator", "running"));
    EXPECT_TRUE(Told(EVENT_OBJECT_STATECHANGE, controls[31]));

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(desk.WaitForExit(), 0u);
}

TEST_F(ScreenReaderTest, EveryClassOfTheGalleryIsHeardByItsKind) {
    DeskProcess program("gallery.exe", "");
    HWND gallery = program.WaitForMainWindow(20000, "KivGallery");
    ASSERT_NE(gallery, nullptr);
    Listen(program);
    // Role, and the default action's name where a click does something.
    const std::map<GalleryKind, std::pair<LONG, std::string>> kinds = {
        {GalleryKind::Toggle, {ROLE_SYSTEM_CHECKBUTTON, "Check"}},
        {GalleryKind::StaticBitmap, {ROLE_SYSTEM_GRAPHIC, ""}},
        {GalleryKind::DigitField, {ROLE_SYSTEM_SPINBUTTON, "Increase"}},
        {GalleryKind::SmallText, {ROLE_SYSTEM_STATICTEXT, ""}},
        {GalleryKind::PushButton, {ROLE_SYSTEM_PUSHBUTTON, "Press"}},
        {GalleryKind::PopupMenuSelector, {ROLE_SYSTEM_BUTTONDROPDOWN, "Next"}},
        {GalleryKind::ThreeStateButton, {ROLE_SYSTEM_CHECKBUTTON, "Press"}},
        {GalleryKind::VerticalSlider, {ROLE_SYSTEM_SLIDER, ""}},
        {GalleryKind::BitmapList, {ROLE_SYSTEM_LIST, "Next"}},
        {GalleryKind::BitmapGauge, {ROLE_SYSTEM_PROGRESSBAR, ""}},
        {GalleryKind::BitmapText, {ROLE_SYSTEM_STATICTEXT, ""}},
        {GalleryKind::DigitDisplay, {ROLE_SYSTEM_STATICTEXT, ""}},
        {GalleryKind::Knob, {ROLE_SYSTEM_DIAL, ""}},
        {GalleryKind::HorizontalSlider, {ROLE_SYSTEM_SLIDER, ""}},
        {GalleryKind::OnOffSwitch, {ROLE_SYSTEM_CHECKBUTTON, "Check"}},
    };
    for (size_t i = 0; i < GalleryCellCount(); ++i) {
        const GalleryCell& cell = GalleryCells()[i];
        SCOPED_TRACE(cell.what);
        const Heard heard = Hear(GetDlgItem(gallery, cell.id));
        // The small text is named by the text it was made with, as a label is.
        EXPECT_EQ(heard.name, cell.kind == GalleryKind::SmallText ? "Small text" : cell.what);
        EXPECT_EQ(heard.description, cell.tip);
        EXPECT_EQ(heard.role, kinds.at(cell.kind).first);
        EXPECT_EQ(heard.action, kinds.at(cell.kind).second);
    }
    // Values as the gallery starts them, and after the reader's action.
    const std::map<int, std::pair<std::string, std::string>> acted = {
        {1001, {"3 of 4", "4 of 4"}}, {701, {"32 kHz", "44.1 kHz"}}, {401, {"00", "01"}}};
    for (const auto& one : acted) {
        HWND control = GetDlgItem(gallery, one.first);
        EXPECT_EQ(Hear(control).value, one.second.first) << one.first;
        Act(control);
        EXPECT_TRUE(WaitUntil([&] { return Hear(control).value == one.second.second; }, 5000)) << one.first;
    }
    HWND threeState = GetDlgItem(gallery, 801);
    EXPECT_FALSE(Checked(Hear(threeState)));
    Act(threeState);
    EXPECT_TRUE(WaitUntil([&] { return Checked(Hear(threeState)); }, 5000)) << "state 1";
    EXPECT_TRUE(Told(EVENT_OBJECT_STATECHANGE, threeState));
    EXPECT_TRUE(Told(EVENT_OBJECT_VALUECHANGE, GetDlgItem(gallery, 1001)));
    PostMessageA(gallery, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
