// click-bench.exe: the desk's own time per panel click, from the main
// window's WM_COMMAND to the last register access the click makes, against
// simulated cards that answer at once, and how many register accesses each
// kind of click costs.
//
//   click-bench.exe [--cycles N]
//
// A click is what the toggle does on a press, without the pointer: flip its
// check state, then hand its command to the main window (SendMessage, so the
// handler runs inside the timed call). The time to the last access is taken
// by the register space itself, at the access whose number the same click
// from the same state made in an untimed pass; each group of toggles is
// clicked round a cycle that ends where it began, so every pass sees the
// same states. "Whole click" runs to the return of the handler, redrawing
// the group's toggles included.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench_stats.h"
#include "card/register_space.h"
#include "in_process_desk_win32.h"
#include "panel/card_panel.h"
#include "sim/sim_driver_link.h"

namespace {

constexpr int kDefaultCycles = 200;
constexpr int kGeneratorCycles = 10;
constexpr unsigned kAllFourCards = 0xF;

// Register accesses of every card, counted together (a click reaches only
// its own column), and the moment of access number `stampAt`.
struct AccessCounter {
    uint64_t reads = 0;
    uint64_t writes = 0;
    uint64_t stampAt = 0;  // 0: take no time
    int64_t stamp = 0;

    uint64_t Total() const { return reads + writes; }
    void Counted() {
        if (Total() == stampAt) stamp = Ticks();
    }
    void Arm(uint64_t accessNumber) {
        reads = writes = 0;
        stampAt = accessNumber;
        stamp = 0;
    }
};

AccessCounter counter;

class CountingRegisterSpace : public RegisterSpace {
public:
    explicit CountingRegisterSpace(RegisterSpace* inner) : inner_(inner) {}
    uint32_t Read(uint32_t offset) override {
        const uint32_t value = inner_->Read(offset);
        ++counter.reads;
        counter.Counted();
        return value;
    }
    void Write(uint32_t offset, uint32_t value) override {
        inner_->Write(offset, value);
        ++counter.writes;
        counter.Counted();
    }
    RegisterSpace* inner() const { return inner_; }

private:
    RegisterSpace* inner_;
};

// The simulated driver, with every card's registers behind a counter.
class CountingDriverLink : public DriverLink {
public:
    explicit CountingDriverLink(unsigned answering) : simulated_(answering) {}
    bool Open() override { return simulated_.Open(); }
    bool QueryBlock(int32_t driverIndex, SharedCardBlock** block) override {
        return simulated_.QueryBlock(driverIndex, block);
    }
    void Close() override { simulated_.Close(); }
    RegisterSpace* RegistersFor(SharedCardBlock* block) override {
        RegisterSpace* card = simulated_.RegistersFor(block);
        if (card == nullptr) return nullptr;
        for (const auto& space : spaces_)
            if (space->inner() == card) return space.get();
        spaces_.emplace_back(new CountingRegisterSpace(card));
        return spaces_.back().get();
    }

private:
    SimDriverLink simulated_;
    std::vector<std::unique_ptr<CountingRegisterSpace>> spaces_;
};

struct ClickResult {
    double toLastAccessMs = -1.0;  // -1: the click made no access
    double wholeMs = 0.0;
    uint64_t reads = 0;
    uint64_t writes = 0;
};

ClickResult Click(HWND window, uint16_t id, uint64_t stampAt) {
    HWND toggle = GetDlgItem(window, id);
    const LRESULT state = SendMessageA(toggle, BM_GETCHECK, 0, 0);
    SendMessageA(toggle, BM_SETCHECK, state == 1 ? 0 : 1, 0);
    // As the toggle posts it: its id and code 1, the low half of its handle.
    const WPARAM wParam = MAKEWPARAM(id, 1);
    const LPARAM lParam = static_cast<LPARAM>(reinterpret_cast<uintptr_t>(toggle) & 0xFFFF);

    counter.Arm(stampAt);
    const int64_t start = Ticks();
    SendMessageA(window, WM_COMMAND, wParam, lParam);
    const int64_t end = Ticks();

    ClickResult result;
    result.wholeMs = TicksToMs(end - start);
    result.reads = counter.reads;
    result.writes = counter.writes;
    if (stampAt > 0 && counter.stamp != 0) result.toLastAccessMs = TicksToMs(counter.stamp - start);
    PumpMessages();
    return result;
}

struct Member {
    const char* label;
    uint16_t baseId;
};

struct Group {
    const char* label;
    std::vector<Member> cycle;  // clicked in order; ends in the state it began in
    int cycles;
    bool rowPerMember;  // report each member on its own row
};

struct Tally {
    std::vector<double> toLastAccessMs;
    std::vector<double> wholeMs;
    std::vector<double> accesses;
    std::vector<double> reads;
    std::vector<double> writes;
    int countMismatches = 0;
    void Add(const ClickResult& click) {
        if (click.toLastAccessMs >= 0) toLastAccessMs.push_back(click.toLastAccessMs);
        wholeMs.push_back(click.wholeMs);
        accesses.push_back(static_cast<double>(click.reads + click.writes));
        reads.push_back(static_cast<double>(click.reads));
        writes.push_back(static_cast<double>(click.writes));
    }
    void Merge(const Tally& other) {
        for (auto pair : {std::make_pair(&toLastAccessMs, &other.toLastAccessMs),
                          std::make_pair(&wholeMs, &other.wholeMs), std::make_pair(&accesses, &other.accesses),
                          std::make_pair(&reads, &other.reads), std::make_pair(&writes, &other.writes)})
            pair.first->insert(pair.first->end(), pair.second->begin(), pair.second->end());
        countMismatches += other.countMismatches;
    }
};

void PrintHeader() {
    std::printf("%-40s %6s %9s %7s %7s %11s %11s %11s\n", "click (column 0)", "clicks", "accesses", "reads", "writes",
                "to last", "to last", "whole click");
    std::printf("%-40s %6s %9s %7s %7s %11s %11s %11s\n", "", "", "per click", "", "", "access med", "access mean",
                "median");
    std::printf("%-40s %6s %9s %7s %7s %11s %11s %11s\n", "", "", "", "", "", "ms", "ms", "ms");
}

void PrintTally(const std::string& label, const Tally& tally) {
    char accesses[32];
    const double low = Minimum(tally.accesses);
    const double high = Maximum(tally.accesses);
    if (low == high)
        std::snprintf(accesses, sizeof accesses, "%.0f", low);
    else
        std::snprintf(accesses, sizeof accesses, "%.0f-%.0f", low, high);
    std::printf("%-40s %6u %9s %7.1f %7.1f ", label.c_str(), static_cast<unsigned>(tally.wholeMs.size()), accesses,
                Mean(tally.reads), Mean(tally.writes));
    if (tally.toLastAccessMs.empty())
        std::printf("%11s %11s ", "-", "-");
    else
        std::printf("%11.4f %11.4f ", Median(tally.toLastAccessMs), Mean(tally.toLastAccessMs));
    std::printf("%11.4f", Median(tally.wholeMs));
    if (tally.countMismatches > 0) std::printf("   (%d clicks made another number of accesses)", tally.countMismatches);
    std::printf("\n");
}

void RunGroup(HWND window, const Group& group) {
    const size_t members = group.cycle.size();
    std::vector<uint64_t> expected(members);
    for (size_t i = 0; i < members; ++i) {
        const ClickResult calibration = Click(window, MakeControlId(0, group.cycle[i].baseId), 0);
        expected[i] = calibration.reads + calibration.writes;
    }
    std::vector<Tally> perMember(members);
    for (int cycle = 0; cycle < group.cycles; ++cycle) {
        for (size_t i = 0; i < members; ++i) {
            const ClickResult click = Click(window, MakeControlId(0, group.cycle[i].baseId), expected[i]);
            if (click.reads + click.writes != expected[i]) ++perMember[i].countMismatches;
            perMember[i].Add(click);
        }
    }
    if (group.rowPerMember) {
        for (size_t i = 0; i < members; ++i)
            PrintTally(std::string(group.label) + ": " + group.cycle[i].label, perMember[i]);
        return;
    }
    Tally all;
    for (const Tally& tally : perMember) all.Merge(tally);
    PrintTally(group.label, all);
}

}  // namespace

int main(int argc, char** argv) {
    int cycles = kDefaultCycles;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--cycles" && i + 1 < argc) {
            cycles = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: click-bench.exe [--cycles N]\n");
            return 2;
        }
    }
    if (cycles < 1) cycles = 1;

    static CountingDriverLink driver(kAllFourCards);
    HWND window = BuildInProcessDesk(GetModuleHandleA(nullptr), &driver);
    if (window == nullptr) {
        std::fprintf(stderr, "click-bench: the desk could not be built\n");
        return 1;
    }

    // Every cycle starts from the default record's state: coaxial off and
    // optical on, fs, internal clock, set A on row 1, set B on none, routing
    // on, 32000 Hz, 24 frames per second, generator stopped, timecode row
    // open.
    const std::vector<Group> groups = {
        {"digital input", {{"coaxial", kBaseCoaxial}, {"optical", kBaseOptical}}, cycles, false},
        {"fs mode", {{"256 fs", kBaseFs256}, {"fs", kBaseFs}}, cycles, false},
        {"clock source",
         {{"digital in", kBaseClockSource + 1},
          {"word clock", kBaseClockSource + 2},
          {"unit", kBaseClockSource + 3},
          {"internal", kBaseClockSource}},
         cycles,
         false},
        {"routing set A",
         {{"row 0", kBaseRouteA}, {"row 2", kBaseRouteA + 2}, {"row 3", kBaseRouteA + 3}, {"row 1", kBaseRouteA + 1}},
         cycles,
         false},
        {"routing set B (last click unroutes)",
         {{"row 0", kBaseRouteB},
          {"row 1", kBaseRouteB + 1},
          {"row 2", kBaseRouteB + 2},
          {"row 3", kBaseRouteB + 3},
          {"row 3 again", kBaseRouteB + 3}},
         cycles,
         false},
        {"routing off", {{"on", kBaseRoutingOff}, {"off", kBaseRoutingOff}}, cycles, true},
        {"sample rate", {{"44100", kBaseRate + 1}, {"48000", kBaseRate + 2}, {"32000", kBaseRate}}, cycles, false},
        {"automatic rate", {{"on", kBaseAutoRate}, {"off", kBaseAutoRate}}, cycles, true},
        {"frame rate (generator stopped)",
         {{"25", kBaseFrameRate + 1},
          {"29.97", kBaseFrameRate + 2},
          {"30 drop", kBaseFrameRate + 3},
          {"30", kBaseFrameRate + 4},
          {"24", kBaseFrameRate}},
         cycles,
         false},
        {"timecode row", {{"hide", kBaseShowHide}, {"show", kBaseShowHide}}, cycles / 4 + 1, true},
    };
    const Group generator = {"generator", {{"start", kBaseStart}, {"stop", kBaseStart}}, kGeneratorCycles, true};

    std::printf("panel clicks on the desk with four simulated cards (answering at once)\n\n");
    PrintHeader();
    for (const Group& group : groups) RunGroup(window, group);
    std::printf(
        "\nthe generator: the start waits 32 ms for the external unit after its lock sequence, before\n"
        "its last accesses; the stop waits 32 ms after its unlock sequence, its last accesses:\n\n");
    PrintHeader();
    RunGroup(window, generator);

    CloseInProcessDesk(window);
    return 0;
}
