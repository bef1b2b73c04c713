#include "sim/mtc_poster_win32.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "app/desk_messages.h"
#include "sim/mtc_generator.h"

namespace {

constexpr DWORD kPollMs = 2;

struct Feed {
    SimCard* card;
    SharedCardBlock* block;
    std::unique_ptr<MtcGenerator> generator;  // while the unit's generator runs
    uint32_t startCount = 0;                  // the start the generator follows
};

std::atomic<bool> g_stop{false};

// Stops a poster still running at exit rather than letting the thread's
// destructor end the process.
struct PosterThread {
    std::thread thread;
    ~PosterThread() {
        if (thread.joinable()) {
            g_stop = true;
            thread.join();
        }
    }
};
PosterThread g_poster;

// The window field belongs to the desk's thread; read it as the driver would,
// with one plain 32-bit load from outside.
HWND NotifyWindowOf(const SharedCardBlock* block) {
    const volatile uint32_t* field = &block->notifyWindow;
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(*field));
}

void Pump(Feed& feed, int column, std::vector<uint8_t>& bytes) {
    const SimUnitState unit = feed.card->State().unit;
    if (!unit.generatorRunning) {
        feed.generator.reset();
        return;
    }
    if (!feed.generator || feed.startCount != unit.startCount) {
        feed.generator.reset(new MtcGenerator(unit.startTime, unit.frameRateMode));
        feed.startCount = unit.startCount;
    }
    bytes.clear();
    feed.generator->Produce(unit.elapsedMs, bytes);
    const HWND window = NotifyWindowOf(feed.block);
    if (window == nullptr) return;  // no window yet: the bytes are dropped
    for (uint8_t byte : bytes) PostMessageA(window, kWmTimecodeByte, byte, column);
}

void Run(std::vector<Feed> feeds) {
    std::vector<uint8_t> bytes;
    while (!g_stop.load()) {
        for (size_t i = 0; i < feeds.size(); ++i) Pump(feeds[i], static_cast<int>(i), bytes);
        Sleep(kPollMs);
    }
}

}  // namespace

void StartMtcPoster(SimCard* const* cards, SharedCardBlock* const* blocks, int count) {
    StopMtcPoster();
    std::vector<Feed> feeds;
    for (int i = 0; i < count; ++i) {
        Feed feed;
        feed.card = cards[i];
        feed.block = blocks[i];
        feeds.push_back(std::move(feed));
    }
    g_stop = false;
    g_poster.thread = std::thread(Run, std::move(feeds));
}

void StopMtcPoster() {
    if (!g_poster.thread.joinable()) return;
    g_stop = true;
    g_poster.thread.join();
}
