// Cost of the card operations: register accesses per operation (counters
// "reads", "writes" and "accesses", per call) and the time per call against a
// register space that only counts. "Writes" and "Reads" time bare accesses
// through the link (per access: the time over 64), so what a call costs
// beyond its accesses is time(call) - writes x t(write) - reads x t(read);
// scripts/count-register-accesses builds this program and prints that
// difference.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "card/card_registers.h"
#include "card/card_table.h"
#include "card/driver_link.h"
#include "card/unit_link.h"
#include "card_fakes.h"
#include "desk_test_hooks.h"
#include "panel/panel_logic.h"
#include "settings/settings_store.h"

namespace {

void ReportAccesses(benchmark::State& state, const CountingRegisterSpace& space) {
    const double calls = static_cast<double>(state.iterations());
    state.counters["reads"] = static_cast<double>(space.reads) / calls;
    state.counters["writes"] = static_cast<double>(space.writes) / calls;
    state.counters["accesses"] = static_cast<double>(space.reads + space.writes) / calls;
}

constexpr int kBareAccesses = 64;

// The bare accesses are virtual calls on the register space, as each access
// of the protocol is at the least; the pointer is hidden from the optimizer
// so the calls stay virtual.
RegisterSpace* Opaque(CountingRegisterSpace* space) {
    RegisterSpace* registers = space;
    benchmark::DoNotOptimize(registers);
    return registers;
}

void BM_Writes(benchmark::State& state) {
    CountingRegisterSpace space;
    RegisterSpace* registers = Opaque(&space);
    const uint32_t value = 0x10505040;
    for (auto _ : state)
        for (int i = 0; i < kBareAccesses; ++i) registers->Write(kSerialLines, value ^ (i & 0x10));
    state.counters["accesses"] = kBareAccesses;
}
BENCHMARK(BM_Writes);

void BM_Reads(benchmark::State& state) {
    CountingRegisterSpace space;
    RegisterSpace* registers = Opaque(&space);
    uint32_t sink = 0;
    for (auto _ : state)
        for (int i = 0; i < kBareAccesses; ++i) sink += registers->Read(kBridgeControl);
    benchmark::DoNotOptimize(sink);
    state.counters["accesses"] = kBareAccesses;
}
BENCHMARK(BM_Reads);

void BM_ControlWord(benchmark::State& state) {
    CountingRegisterSpace space;
    FakeCard card(&space);
    uint32_t bits = 0;
    for (auto _ : state) WriteControlWord(&card.link, 2, 0x0077, ++bits & 0x77);
    ReportAccesses(state, space);
}
BENCHMARK(BM_ControlWord);

void BM_UnitByteReady(benchmark::State& state) {
    CountingRegisterSpace space;
    FakeCard card(&space);
    for (auto _ : state) SendUnitByte(&card.link, 0xC2);
    ReportAccesses(state, space);
}
BENCHMARK(BM_UnitByteReady);

void BM_UnitByteAbsent(benchmark::State& state) {
    CountingRegisterSpace space;
    space.unitReady = false;
    FakeCard card(&space);
    for (auto _ : state) SendUnitByte(&card.link, 0xC2);
    ReportAccesses(state, space);
}
BENCHMARK(BM_UnitByteAbsent);

// SetCardControl, one benchmark per kind of row. Values alternate so every
// call changes something (the rate control skips a rate already applied).
void BM_SetCardControl(benchmark::State& state, uint16_t type, uint32_t value0, uint32_t value1) {
    CountingRegisterSpace space;
    FakeCard card(&space);
    card.block.running = 1;
    bool flip = false;
    for (auto _ : state) {
        SetCardControl(&card.link, type, flip ? value1 : value0);
        flip = !flip;
    }
    ReportAccesses(state, space);
}

BENCHMARK_CAPTURE(BM_SetCardControl, input, 0, 1, 2);
BENCHMARK_CAPTURE(BM_SetCardControl, fs_mode, 1, 0, 1);
BENCHMARK_CAPTURE(BM_SetCardControl, clock, 2, 0, 3);
BENCHMARK_CAPTURE(BM_SetCardControl, routing, 3, 0xF1, 0x12);
BENCHMARK_CAPTURE(BM_SetCardControl, rate, 7, 0, 1);
BENCHMARK_CAPTURE(BM_SetCardControl, unit_byte, 8, 1, 0);
BENCHMARK_CAPTURE(BM_SetCardControl, byte_and_word, 10, 2, 0);
BENCHMARK_CAPTURE(BM_SetCardControl, silent, 5, 0, 1);

// The sends of restoring a panel from the default record: the panel's own
// restore on column 0, its controls the default ones (every toggle reads
// unchecked, as on a freshly built panel).
class BenchDriverLink : public DriverLink {
public:
    SharedCardBlock block = {};
    CountingRegisterSpace* space = nullptr;
    bool Open() override { return true; }
    bool QueryBlock(int32_t index, SharedCardBlock** found) override {
        if (index != 0) return false;
        *found = &block;
        return true;
    }
    void Close() override {}
    RegisterSpace* RegistersFor(SharedCardBlock*) override { return space; }
};

void BM_RestoreDefaultRecord(benchmark::State& state) {
    CountingRegisterSpace space;
    BenchDriverLink driver;
    driver.space = &space;
    SetDriverLink(&driver);
    ResetCardTableForTest();
    DiscoverCards();
    SteppingClock clock;
    SetMillisecondClock(&clock);
    for (auto _ : state) {
        driver.block = SharedCardBlock{};  // as the driver hands it out: no rate applied yet
        SettingsRecord(0) = kDefaultRecord;
        RestoreCardPanel(0);
    }
    ReportAccesses(state, space);
    SetMillisecondClock(nullptr);
    ResetCardTableForTest();
    SetDriverLink(nullptr);
}
BENCHMARK(BM_RestoreDefaultRecord);

}  // namespace

BENCHMARK_MAIN();
