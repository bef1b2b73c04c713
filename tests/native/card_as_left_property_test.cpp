// The card as the user left it. Whatever the user clicks, however the desk
// ends and starts again, the machine sleeps and wakes, or a setup is saved
// and recalled (on the cards it was saved with, fewer or more), every card
// and every toggle of its column show what the user left. The model is just
// that, each toggle as the panel shows it, plus one line for each thing the
// desk does not keep. RC_PARAMS="max_success=20000" runs it longer.
#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>
#include <rapidcheck/state.h>

#include <array>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/setup_request.h"
#include "app/standby.h"
#include "fake_panel_fixture.h"
#include "panel/card_panel_words.h"
#include "panel/setup_recall.h"

namespace panel_test {
namespace {

// The test command runs from one seed, so that a run can be repeated; a
// RC_PARAMS of one's own replaces it. Set before RapidCheck reads it.
[[maybe_unused]] const bool kFixedSeed = setenv("RC_PARAMS", "seed=20261208 max_success=3000", 0) == 0;

using Time = std::array<int, 4>;  // hours, minutes, seconds, frames

// The external unit's generator.
struct Generator {
    bool running = false;
    int frameRate = 0;
    Time from = {};
};

// One card as the user left it, as its column shows it.
struct CardView {
    bool coaxial = false;  // the default record leaves optical lit
    int fsMode = 0, clock = 0;
    int routeA = 1, routeB = -1;  // each set's routed row, -1 for none; kept while routing is off
    bool routingOff = false, autoRate = false;
    int manualRate = 0, frameRate = 0;
    bool started = false;  // the start toggle
    Time digits = {};
    Generator unit;  // this desk's while `started`; an earlier desk's may run on
};

struct DeskModel {
    int cards = 1;
    bool timecodeShown = false;
    CardView card[kMaxCards];                             // a column without a card as it was stored when it had one
    std::map<std::string, std::vector<CardView>> setups;  // by name in upper case
};

void Start(CardView& v) { v.unit = {true, v.frameRate, v.digits}; }

// The exceptions, one line each: what the desk documents as not kept.
void DeskStartsAgain(DeskModel& m, bool powerLost) {
    m.timecodeShown = false;  // the window opens short: the timecode row is not kept
    for (CardView& v : m.card) {
        v.routingOff = false;                   // routing off is not kept: the stored routing comes back on
        v.started = false;                      // the new desk has not started the generator ...
        if (powerLost) v.unit.running = false;  // ... which ran on only if the unit kept its power
        v.digits = {};                          // timecode digits are not stored
    }
}
void Sleeps(DeskModel& m) {
    for (CardView& v : m.card) {
        v.routingOff = false;                // as at a start, routing off does not survive the resume
        v.started = v.unit.running = false;  // the generator stopped with the power
    }
}
void Recalled(CardView& v, const CardView& saved) {
    const CardView now = v;
    v = saved;
    v.routingOff = false;   // a setup is applied as a start applies a record
    v.digits = now.digits;  // the timecode fields stay as they are
    v.started = false;      // a running generator is stopped first ...
    v.unit = now.unit;      // ... though not an earlier desk's
    if (now.started) v.unit.running = false;
}

// The desk on simulated cards that power on and off together, over a
// registry key that outlives the desk.
struct DeskOnCards : DeskFakes {
    PanelTestDriver driver;
    FakeSettingsKey key;

    void PowerOn(int cards) {
        driver.Reset();
        driver.answering.clear();
        for (int i = 0; i < cards; ++i) driver.answering.insert(i);
        for (auto& card : driver.cards) card->card.SetTrace(static_cast<std::ostream*>(nullptr));  // no events read
    }
    void LosePower() {
        for (auto& card : driver.cards) card->card.LosePower();
    }
    // The program's tables as at process start, then what its start does.
    void Start() {
        ResetDeskTablesForTest();
        Install();
        SetSettingsKey(&key);
        SetDriverLink(&driver);
        OpenCards();
        for (int32_t c = 0; c < CardCount(); ++c) {
            InstallFakePanel(c);
            RestoreCardPanel(c);
        }
    }
    ~DeskOnCards() {
        Uninstall();
        SetSettingsKey(nullptr);
    }
};

const PanelControlRow& RowOf(int base) {
    const PanelControlRow* row = PanelLayoutRows();
    while (row->baseId != base || row->kind == ControlKind::StaticBitmap) ++row;
    return *row;
}

std::string Text(const Time& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d:%02d", t[0], t[1], t[2], t[3]);
    return text;
}

// A control as the panel's words name it: its group and its name.
std::string Named(const PanelControlRow& row) {
    const PanelWords* words = WordsOfRow(row);
    return std::string(words->group) + " " + words->name;
}

// A column in words: the names of its lit toggles (`lit` says which), then its fields.
template <typename Lit>
std::string ColumnText(Lit lit, const Time& digits) {
    std::string text;
    for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
        const PanelControlRow& row = PanelLayoutRows()[i];
        if (row.kind == ControlKind::Toggle && lit(row.baseId)) text += Named(row) + ", ";
    }
    return text + Text(digits);
}

std::string ExpectedColumn(const DeskModel& m, const CardView& v) {
    const auto member = [](int base, int first, int count, int chosen) {
        return chosen >= 0 && chosen < count && base - first == chosen;
    };
    return ColumnText(
        [&](int b) {
            return b == (v.coaxial ? kBaseCoaxial : kBaseOptical) || member(b, kBaseFs, 2, v.fsMode) ||
                   member(b, kBaseClockSource, 4, v.clock) || member(b, kBaseFrameRate, 5, v.frameRate) ||
                   (b == kBaseRoutingOff && v.routingOff) || (b == kBaseAutoRate && v.autoRate) ||
                   (!v.autoRate && member(b, kBaseRate, 3, v.manualRate)) ||
                   (!v.routingOff && (member(b, kBaseRouteA, 4, v.routeA) || member(b, kBaseRouteB, 4, v.routeB))) ||
                   (b == kBaseShowHide && m.timecodeShown) || (b == kBaseStart && v.started);
        },
        v.digits);
}

std::string ShownColumn(DeskOnCards& desk, int c) {
    Time digits;
    for (int f = 0; f < 4; ++f) digits[f] = desk.controls.GetPosition(HandleOf(MakeControlId(c, kBaseHours + f)));
    return ColumnText([&](int b) { return desk.controls.Checked(HandleOf(MakeControlId(c, b))); }, digits);
}

// A card in words. The unit is locked exactly while its generator runs; what
// it was started with counts only while this desk runs it.
std::string CardText(bool coaxial, int fs, int clock, int a, int b, const std::string& rate, bool locked,
                     const Generator& unit, bool started) {
    std::ostringstream text;
    text << (coaxial ? "coaxial" : "optical") << ", fs mode " << fs << ", clock " << clock << ", set A " << a
         << ", set B " << b << ", rate " << rate << ", generator " << (unit.running ? "running" : "stopped")
         << (locked ? ", unit locked" : "");
    if (started) text << " at mode " << unit.frameRate << " from " << Text(unit.from);
    return text.str();
}

std::string ExpectedCard(const CardView& v) {
    const char* const kRates[] = {"32000 (unit 0xc1)", "44100 (unit 0xc2)", "48000 (unit 0xc3)"};
    return CardText(v.coaxial, v.fsMode, v.clock, v.routingOff ? -1 : v.routeA, v.routingOff ? -1 : v.routeB,
                    v.autoRate ? "auto" : kRates[v.manualRate], v.unit.running, v.unit, v.started);
}

std::string DecodedCard(DeskOnCards& desk, int c, bool started) {
    const SimCardState s = desk.driver.cards[DriverIndexAt(c)]->State();
    std::ostringstream rate;  // the running flag stays set while the card follows its input's rate
    if (CardAt(c)->block->running == 1)
        rate << "auto";
    else
        rate << s.sampleRate << " (unit 0x" << std::hex << s.unit.lastRateByte << ")";
    const MtcTime& t = s.unit.startTime;
    const Generator unit = {s.unit.generatorRunning, s.unit.frameRateMode, {t.hours, t.minutes, t.seconds, t.frames}};
    return CardText(s.digitalInputCoaxial, s.fsMode, s.clockSource, s.routeA, s.routeB, rate.str(), s.unit.locked, unit,
                    started);
}

void ExpectAsLeft(const DeskModel& m, DeskOnCards& desk) {
    RC_ASSERT(CardCount() == m.cards);
    RC_ASSERT(desk.desk.clientHeight == (m.timecodeShown ? FakeDeskWindow::kTallClient : FakeDeskWindow::kShortClient));
    for (int c = 0; c < m.cards; ++c) {
        RC_ASSERT(ShownColumn(desk, c) == ExpectedColumn(m, m.card[c]));
        RC_ASSERT(DecodedCard(desk, c, m.card[c].started) == ExpectedCard(m.card[c]));
    }
}

// Every step checks the whole desk against the model once it has run.
struct Step : rc::state::Command<DeskModel, DeskOnCards> {
    void run(const DeskModel& m, DeskOnCards& desk) const override {
        Do(m, desk);
        ExpectAsLeft(nextState(m), desk);
    }
    virtual void Do(const DeskModel& m, DeskOnCards& desk) const = 0;
};

// A step on one card, which must exist.
struct OnCard : Step {
    int card;
    explicit OnCard(const DeskModel& m) : card(*rc::gen::inRange(0, m.cards)) {}
    void checkPreconditions(const DeskModel& m) const override { RC_PRE(card < m.cards); }
};

std::vector<int> SettingToggles() {
    std::vector<int> toggles;
    for (size_t i = 0; i < PanelLayoutRowCount(); ++i)
        if (PanelLayoutRows()[i].kind == ControlKind::Toggle) toggles.push_back(PanelLayoutRows()[i].baseId);
    return toggles;
}

struct Click : OnCard {
    // The start toggle more often: the generator's paths need a start first.
    int base =
        *rc::gen::weightedOneOf<int>({{6, rc::gen::elementOf(SettingToggles())}, {1, rc::gen::just<int>(kBaseStart)}});
    bool right = *rc::gen::weightedElement<bool>({{3, false}, {1, true}});
    explicit Click(const DeskModel& m) : OnCard(m) {}

    // What the user sees a click do. A right click runs the toggle's action
    // on its state as it stands, without flipping it.
    void apply(DeskModel& m) const override {
        CardView& v = m.card[card];
        const auto in = [this](int first, int count) { return base >= first && base < first + count; };
        if (base == kBaseCoaxial || base == kBaseOptical) {
            if (!right) v.coaxial = !v.coaxial;  // a pair: the lit one goes dark, the other lights
        } else if (in(kBaseFs, 2)) {
            v.fsMode = base - kBaseFs;  // groups of choices take the one clicked
        } else if (in(kBaseClockSource, 4)) {
            v.clock = base - kBaseClockSource;
        } else if (in(kBaseRate, 3)) {
            v.manualRate = base - kBaseRate;
            v.autoRate = false;
        } else if (base == kBaseAutoRate) {
            if (!right) v.autoRate = !v.autoRate;
        } else if (in(kBaseFrameRate, 5)) {
            v.frameRate = base - kBaseFrameRate;
            if (v.started) Start(v);  // a running generator starts again at the new rate
        } else if (in(kBaseRouteA, 4) || in(kBaseRouteB, 4)) {
            const int row = in(kBaseRouteA, 4) ? base - kBaseRouteA : base - kBaseRouteB;
            int& set = in(kBaseRouteA, 4) ? v.routeA : v.routeB;
            // A set routes at most one row; a click on its routed row routes none. A right
            // click keeps that row and, finding any other unlit, empties the set. While
            // routing is off a click empties the set, showing and sending nothing.
            if (v.routingOff)
                set = -1;
            else if (right)
                set = set == row ? row : -1;
            else
                set = set == row ? -1 : row;
        } else if (base == kBaseRoutingOff) {
            if (!right) v.routingOff = !v.routingOff;
        } else if (base == kBaseShowHide) {
            if (!right) m.timecodeShown = !m.timecodeShown;  // every column's row opens and closes together
        } else if (base == kBaseStart) {
            if (!right) v.started = !v.started;
            if (v.started)
                Start(v);  // started, or started again from the fields
            else
                v.unit.running = false;
        }
    }
    void Do(const DeskModel&, DeskOnCards& desk) const override {
        const ControlHandle toggle = HandleOf(MakeControlId(card, static_cast<uint16_t>(base)));
        right ? desk.controls.RightClick(toggle) : desk.controls.LeftClick(toggle);
    }
    void show(std::ostream& os) const override {
        os << (right ? "right" : "left") << " click on card " << card + 1 << "'s " << Named(RowOf(base));
    }
};

struct TypeDigits : OnCard {
    int field = *rc::gen::inRange(0, 4);
    int value = *rc::gen::inRange(0, RowOf(kBaseHours + field).maximum + 1);
    explicit TypeDigits(const DeskModel& m) : OnCard(m) {}
    void apply(DeskModel& m) const override { m.card[card].digits[field] = value; }
    void Do(const DeskModel&, DeskOnCards& desk) const override {
        desk.controls.SetPosition(HandleOf(MakeControlId(card, static_cast<uint16_t>(kBaseHours + field))), value);
    }
    void show(std::ostream& os) const override {
        os << value << " into card " << card + 1 << "'s " << Named(RowOf(kBaseHours + field));
    }
};

// The driver's routing notification, now and then for no card or no routing.
struct RoutingNotice : Step {
    int card = *rc::gen::inRange(0, kMaxCards + 1), group = *rc::gen::inRange(0, 5);
    int row = *rc::gen::inRange(0, 5), state = *rc::gen::inRange(0, 2);
    void apply(DeskModel& m) const override {
        if (card >= m.cards || group / 2 > 1 || row >= 4) return;  // not a card's routing: ignored
        CardView& v = m.card[card];
        int& set = group == 0 ? v.routeA : v.routeB;
        // The driver sets the row's toggle, then the set's handler runs for row / 2.
        const bool lit = row / 2 == row ? state == 1 : !v.routingOff && set == row / 2;
        set = !v.routingOff && lit ? row / 2 : -1;
    }
    void Do(const DeskModel&, DeskOnCards&) const override {
        OnRoutingNotify(static_cast<uint32_t>(group << 16 | row), static_cast<uint32_t>(card << 16 | state));
    }
    void show(std::ostream& os) const override {
        os << "routing notice: card " << card << ", group " << group << ", row " << row << ", state " << state;
    }
};

// The machine restarts (the next logon), perhaps with more or fewer cards.
struct Restart : Step {
    int cards = *rc::gen::inRange(1, kMaxCards + 1);
    void apply(DeskModel& m) const override {
        m.cards = cards;
        DeskStartsAgain(m, true);
    }
    void Do(const DeskModel&, DeskOnCards& desk) const override {
        SaveAllSettings();  // as the session's end makes the desk do
        desk.PowerOn(cards);
        desk.Start();
    }
    void show(std::ostream& os) const override { os << "restart on " << cards << " cards"; }
};

// The desk ends, or dies, and starts again; the cards keep their power.
struct StartAgain : Step {
    bool crash = *rc::gen::arbitrary<bool>();
    void apply(DeskModel& m) const override { DeskStartsAgain(m, false); }
    void Do(const DeskModel&, DeskOnCards& desk) const override {
        if (!crash) SaveAllSettings();  // a crash stores nothing: the records are as the last change left them
        desk.Start();
    }
    void show(std::ostream& os) const override { os << (crash ? "crash, then a start" : "a second start"); }
};

struct Standby : Step {
    uint32_t sleep = *rc::gen::element(kPowerSuspend, kPowerStandby);
    std::vector<uint32_t> resumes =
        *rc::gen::element(std::vector<uint32_t>{kPowerResumeAutomatic, kPowerResumeSuspend},
                          std::vector<uint32_t>{kPowerResumeStandby}, std::vector<uint32_t>{kPowerResumeCritical});
    void apply(DeskModel& m) const override { Sleeps(m); }
    void Do(const DeskModel&, DeskOnCards& desk) const override {
        OnPowerBroadcast(kPowerQuerySuspend);
        OnPowerBroadcast(sleep);
        desk.LosePower();
        for (uint32_t event : resumes) OnPowerBroadcast(event);
    }
    void show(std::ostream& os) const override { os << "standby (event " << sleep << ", then " << resumes[0] << ")"; }
};

std::string Upper(std::string name) {
    for (char& ch : name) ch = static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);
    return name;
}

struct SetupStep : Step {
    std::string name = *rc::gen::element<std::string>("Live", "Mix", "MIX", "Video Post");
};

struct SaveSetup : SetupStep {
    void apply(DeskModel& m) const override { m.setups[Upper(name)].assign(m.card, m.card + m.cards); }
    void Do(const DeskModel&, DeskOnCards&) const override {
        RC_ASSERT(CarryOutSetupRequest(SetupAction::Save, name).outcome == SetupOutcome::Done);
        RC_ASSERT(CardsMatchSetup(name));  // the menu checks it
    }
    void show(std::ostream& os) const override { os << "save setup \"" << name << "\""; }
};

struct RecallSetup : SetupStep {
    void apply(DeskModel& m) const override {
        const auto saved = m.setups.find(Upper(name));
        if (saved == m.setups.end()) return;
        // A card the setup holds no record for keeps its settings.
        for (int c = 0; c < m.cards && c < static_cast<int>(saved->second.size()); ++c)
            Recalled(m.card[c], saved->second[c]);
    }
    void Do(const DeskModel& m, DeskOnCards&) const override {
        const bool known = m.setups.count(Upper(name)) == 1;
        RC_ASSERT(CarryOutSetupRequest(SetupAction::Recall, name).outcome ==
                  (known ? SetupOutcome::Done : SetupOutcome::Unknown));
        RC_ASSERT(CardsMatchSetup(name) == known);  // the menu checks it
    }
    void show(std::ostream& os) const override { os << "recall setup \"" << name << "\""; }
};

RC_GTEST_PROP(CardAsLeft, EveryCardAndToggleComeBackAfterRestartsStandbysAndRecalls, ()) {
    DeskModel model;
    model.cards = *rc::gen::inRange(1, kMaxCards + 1);
    DeskOnCards desk;
    desk.PowerOn(model.cards);
    desk.Start();
    rc::state::check(model, desk,
                     rc::state::gen::execOneOfWithArgs<Click, Click, Click, Click, TypeDigits, RoutingNotice, Restart,
                                                       StartAgain, Standby, SaveSetup, RecallSetup>());
}

}  // namespace
}  // namespace panel_test
