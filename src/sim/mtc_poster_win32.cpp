#include "sim/mtc_poster_win32.h"

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
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

// The thread is only made when a generator first starts (most runs of the
// desk never start one, and a thread costs Wine a megabyte), and it sleeps
// without polling whenever no generator runs.
struct Poster {
    std::mutex mutex;
    std::condition_variable wake;
    bool stop = false;
    bool startSeen = false;  // a start since the thread last looked
    std::vector<Feed> feeds;  // the thread's own once it runs
    std::thread thread;

    // Stops a poster still running at exit rather than letting the thread's
    // destructor end the process.
    ~Poster() { Stop(); }

    void Stop() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stop = true;
        }
        wake.notify_one();
        if (thread.joinable()) thread.join();
    }
};
Poster g_poster;

// The window field belongs to the desk's thread; read it as the driver would,
// with one plain 32-bit load from outside.
HWND NotifyWindowOf(const SharedCardBlock* block) {
    const volatile uint32_t* field = &block->notifyWindow;
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(*field));
}

// Posts what the card's generator produced since the last call; true while
// it runs.
bool Pump(Feed& feed, int column, std::vector<uint8_t>& bytes) {
    const SimUnitState unit = feed.card->State().unit;
    if (!unit.generatorRunning) {
        feed.generator.reset();
        return false;
    }
    if (!feed.generator || feed.startCount != unit.startCount) {
        feed.generator.reset(new MtcGenerator(unit.startTime, unit.frameRateMode));
        feed.startCount = unit.startCount;
    }
    bytes.clear();
    feed.generator->Produce(unit.elapsedMs, bytes);
    const HWND window = NotifyWindowOf(feed.block);
    if (window == nullptr) return true;  // no window yet: the bytes are dropped
    for (uint8_t byte : bytes) PostMessageA(window, kWmTimecodeByte, byte, column);
    return true;
}

void Run() {
    std::vector<uint8_t> bytes;
    for (;;) {
        bool running = false;
        for (size_t i = 0; i < g_poster.feeds.size(); ++i) {
            running = Pump(g_poster.feeds[i], static_cast<int>(i), bytes) || running;
        }
        std::unique_lock<std::mutex> lock(g_poster.mutex);
        if (running) {
            g_poster.wake.wait_for(lock, std::chrono::milliseconds(kPollMs), [] { return g_poster.stop; });
        } else {
            g_poster.wake.wait(lock, [] { return g_poster.stop || g_poster.startSeen; });
        }
        if (g_poster.stop) return;
        g_poster.startSeen = false;
    }
}

// On the desk's thread, from inside the card that decoded a start.
void OnGeneratorStart() {
    {
        std::lock_guard<std::mutex> lock(g_poster.mutex);
        if (g_poster.stop) return;
        g_poster.startSeen = true;
        if (!g_poster.thread.joinable()) {
            g_poster.thread = std::thread(Run);
            return;
        }
    }
    g_poster.wake.notify_one();
}

}  // namespace

void StartMtcPoster(SimCard* const* cards, SharedCardBlock* const* blocks, int count) {
    StopMtcPoster();
    {
        std::lock_guard<std::mutex> lock(g_poster.mutex);
        g_poster.stop = false;
        g_poster.startSeen = false;
        g_poster.feeds.clear();
        for (int i = 0; i < count; ++i) {
            Feed feed;
            feed.card = cards[i];
            feed.block = blocks[i];
            g_poster.feeds.push_back(std::move(feed));
        }
    }
    for (int i = 0; i < count; ++i) cards[i]->SetGeneratorStartListener(OnGeneratorStart);
}

void StopMtcPoster() {
    for (Feed& feed : g_poster.feeds) feed.card->SetGeneratorStartListener(nullptr);
    g_poster.Stop();
}
