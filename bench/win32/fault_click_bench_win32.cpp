// fault-click-bench.exe: how long the desk's interface stays blocked by one
// panel click when the external unit is absent or the card's port bridge is
// stuck, next to a card that answers at once; per control group, with the
// unit bytes and register accesses the click makes.
//
//   fault-click-bench.exe [--fault none|no-unit|stuck-bridge] [--cycles N]
//
// The desk is built in process with four simulated cards carrying the fault
// from the start (so the start-up, which restores every card's rate, pays
// for it too) and runs on the multimedia timer, so the unit's 32 ms settle
// waits are real. A click is a posted press and release on a toggle of
// column 0; its blocked time runs from the post to the moment the desk's
// queue is empty again (the handler, the register accesses and every
// redraw). Each group is clicked round a cycle that ends where it began.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "card/card_registers.h"
#include "card/register_space.h"
#include "in_process_desk_win32.h"
#include "panel/card_panel.h"
#include "sim/sim_driver_link.h"

namespace {

constexpr unsigned kAllFourCards = 0xF;
constexpr uint32_t kUnitDataPortWrite = UnitPortBase | 0x00020000;  // a bridge write cycle to the data port

struct AccessCount {
    uint64_t reads = 0;
    uint64_t writes = 0;
    uint64_t unitBytes = 0;
};
AccessCount counted;

class CountingRegisterSpace : public RegisterSpace {
public:
    explicit CountingRegisterSpace(RegisterSpace* inner) : inner_(inner) {}
    uint32_t Read(uint32_t offset) override {
        ++counted.reads;
        return inner_->Read(offset);
    }
    void Write(uint32_t offset, uint32_t value) override {
        ++counted.writes;
        if (offset == kBridgeAddress && value == kUnitDataPortWrite) ++counted.unitBytes;
        inner_->Write(offset, value);
    }
    RegisterSpace* inner() const { return inner_; }

private:
    RegisterSpace* inner_;
};

class CountingDriverLink : public DriverLink {
public:
    explicit CountingDriverLink(unsigned answering) : simulated(answering) {}
    bool Open() override { return simulated.Open(); }
    bool QueryBlock(int32_t index, SharedCardBlock** block) override { return simulated.QueryBlock(index, block); }
    void Close() override { simulated.Close(); }
    RegisterSpace* RegistersFor(SharedCardBlock* block) override {
        RegisterSpace* card = simulated.RegistersFor(block);
        if (card == nullptr) return nullptr;
        for (const auto& space : spaces_)
            if (space->inner() == card) return space.get();
        spaces_.emplace_back(new CountingRegisterSpace(card));
        return spaces_.back().get();
    }
    SimDriverLink simulated;

private:
    std::vector<std::unique_ptr<CountingRegisterSpace>> spaces_;
};

struct Member {
    const char* label;
    uint16_t baseId;
};

struct Group {
    const char* label;
    std::vector<Member> cycle;  // ends in the state it began in
};

struct Tally {
    std::vector<double> blockedMs;
    uint64_t unitBytes = 0;
    uint64_t accesses = 0;
};

double BlockedMs(HWND window, uint16_t baseId, AccessCount* count) {
    HWND toggle = GetDlgItem(window, MakeControlId(0, baseId));
    counted = AccessCount{};
    const int64_t start = Ticks();
    PostMessageA(toggle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(toggle, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    PumpMessages();
    const int64_t end = Ticks();
    *count = counted;
    return TicksToMs(end - start);
}

void RunGroup(HWND window, const Group& group, int cycles) {
    std::vector<Tally> tallies(group.cycle.size());
    for (int cycle = 0; cycle < cycles; ++cycle) {
        for (size_t i = 0; i < group.cycle.size(); ++i) {
            AccessCount count;
            tallies[i].blockedMs.push_back(BlockedMs(window, group.cycle[i].baseId, &count));
            tallies[i].unitBytes = count.unitBytes;
            tallies[i].accesses = count.reads + count.writes;
        }
    }
    for (size_t i = 0; i < group.cycle.size(); ++i) {
        const Tally& tally = tallies[i];
        const std::string label = std::string(group.label) + ": " + group.cycle[i].label;
        std::printf("%-36s %6u %10llu %12llu %12.3f %12.3f\n", label.c_str(),
                    static_cast<unsigned>(tally.blockedMs.size()), static_cast<unsigned long long>(tally.unitBytes),
                    static_cast<unsigned long long>(tally.accesses), Median(tally.blockedMs), Maximum(tally.blockedMs));
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string fault = "none";
    int cycles = 20;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--fault" && i + 1 < argc) {
            fault = argv[++i];
        } else if (option == "--cycles" && i + 1 < argc) {
            cycles = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: fault-click-bench.exe [--fault none|no-unit|stuck-bridge] [--cycles N]\n");
            return 2;
        }
    }
    if (fault != "none" && fault != "no-unit" && fault != "stuck-bridge") {
        std::fprintf(stderr, "fault-click-bench: unknown fault %s\n", fault.c_str());
        return 2;
    }
    if (cycles < 1) cycles = 1;

    static CountingDriverLink driver(kAllFourCards);
    driver.simulated.SetUnitPresent(fault != "no-unit");
    driver.simulated.SetBridgeStuck(fault == "stuck-bridge");

    counted = AccessCount{};
    double buildMs = 0;
    HWND window = BuildInProcessDesk(GetModuleHandleA(nullptr), &driver, &buildMs);
    if (window == nullptr) {
        std::fprintf(stderr, "fault-click-bench: the desk could not be built\n");
        return 1;
    }
    std::printf("fault: %s; four simulated cards; %d cycle(s) per group\n", fault.c_str(), cycles);
    std::printf(
        "start-up (find cards, build and restore four panels): %.1f ms, %llu unit bytes, %llu register accesses\n\n",
        buildMs, static_cast<unsigned long long>(counted.unitBytes),
        static_cast<unsigned long long>(counted.reads + counted.writes));

    // From the default record's state: optical, fs, internal clock, set A on
    // row 1, routing on, 32000 Hz, 24 frames, generator stopped, row shown.
    const std::vector<Group> groups = {
        {"digital input", {{"coaxial", kBaseCoaxial}, {"optical", kBaseOptical}}},
        {"fs mode", {{"256 fs", kBaseFs256}, {"fs", kBaseFs}}},
        {"clock source", {{"word clock", kBaseClockSource + 2}, {"internal", kBaseClockSource}}},
        {"routing set A", {{"row 2", kBaseRouteA + 2}, {"row 1", kBaseRouteA + 1}}},
        {"routing off", {{"on", kBaseRoutingOff}, {"off", kBaseRoutingOff}}},
        {"sample rate", {{"44100", kBaseRate + 1}, {"32000", kBaseRate}}},
        {"automatic rate", {{"on", kBaseAutoRate}, {"off", kBaseAutoRate}}},
        {"frame rate, stopped", {{"25", kBaseFrameRate + 1}, {"24", kBaseFrameRate}}},
        {"generator", {{"start", kBaseStart}, {"stop", kBaseStart}}},
        {"timecode row", {{"hide", kBaseShowHide}, {"show", kBaseShowHide}}},
    };
    const Group runningFrameRate = {"frame rate, running", {{"25", kBaseFrameRate + 1}, {"24", kBaseFrameRate}}};

    std::printf("%-36s %6s %10s %12s %12s %12s\n", "click (column 0)", "clicks", "unit bytes", "accesses", "blocked ms",
                "blocked ms");
    std::printf("%-36s %6s %10s %12s %12s %12s\n", "", "", "per click", "per click", "median", "max");
    for (const Group& group : groups) RunGroup(window, group, cycles);
    // A frame-rate click while the generator runs starts it again.
    AccessCount ignored;
    BlockedMs(window, kBaseStart, &ignored);
    RunGroup(window, runningFrameRate, cycles);
    BlockedMs(window, kBaseStart, &ignored);

    CloseInProcessDesk(window);
    return 0;
}
