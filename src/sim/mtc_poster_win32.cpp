#include "sim/mtc_poster_win32.h"

#include <windows.h>

#include <process.h>

#include <cstdint>
#include <memory>
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
// without polling whenever no generator runs. It is a Win32 thread woken by
// an auto-reset event: the shipped programs have no C++ standard threads.
struct Poster {
    CRITICAL_SECTION lock;
    HANDLE wake = nullptr;  // set for a start and for the stop
    HANDLE thread = nullptr;
    bool stop = false;
    std::vector<Feed> feeds;  // the thread's own once it runs

    Poster() { InitializeCriticalSection(&lock); }
    // Stops a poster still running at exit rather than leaving the thread
    // to run into freed feeds.
    ~Poster() {
        Stop();
        DeleteCriticalSection(&lock);
    }

    bool Stopping() {
        EnterCriticalSection(&lock);
        const bool stopping = stop;
        LeaveCriticalSection(&lock);
        return stopping;
    }

    void Stop() {
        EnterCriticalSection(&lock);
        stop = true;
        LeaveCriticalSection(&lock);
        if (wake != nullptr) SetEvent(wake);
        if (thread != nullptr) {
            WaitForSingleObject(thread, INFINITE);
            CloseHandle(thread);
            thread = nullptr;
        }
        if (wake != nullptr) {
            CloseHandle(wake);
            wake = nullptr;
        }
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

unsigned __stdcall Run(void*) {
    std::vector<uint8_t> bytes;
    for (;;) {
        bool running = false;
        for (size_t i = 0; i < g_poster.feeds.size(); ++i)
            running = Pump(g_poster.feeds[i], static_cast<int>(i), bytes) || running;
        // Running: look again in a moment. Idle: sleep until the next start.
        WaitForSingleObject(g_poster.wake, running ? kPollMs : INFINITE);
        if (g_poster.Stopping()) return 0;
    }
}

// On the desk's thread, from inside the card that decoded a start.
void OnGeneratorStart() {
    if (g_poster.Stopping() || g_poster.wake == nullptr) return;
    if (g_poster.thread == nullptr) {
        const uintptr_t thread = _beginthreadex(nullptr, 0, Run, nullptr, 0, nullptr);
        g_poster.thread = reinterpret_cast<HANDLE>(thread);
        return;
    }
    SetEvent(g_poster.wake);
}

}  // namespace

void StartMtcPoster(SimCard* const* cards, SharedCardBlock* const* blocks, int count) {
    StopMtcPoster();
    EnterCriticalSection(&g_poster.lock);
    g_poster.stop = false;
    LeaveCriticalSection(&g_poster.lock);
    g_poster.wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    g_poster.feeds.clear();
    for (int i = 0; i < count; ++i) {
        Feed feed;
        feed.card = cards[i];
        feed.block = blocks[i];
        g_poster.feeds.push_back(std::move(feed));
    }
    for (int i = 0; i < count; ++i) cards[i]->SetGeneratorStartListener(OnGeneratorStart);
}

void StopMtcPoster() {
    for (Feed& feed : g_poster.feeds) feed.card->SetGeneratorStartListener(nullptr);
    g_poster.Stop();
}
