// Message loop helpers for Windows tests.
#pragma once

#include <windows.h>

namespace wintest {

// Dispatches every message waiting in this thread's queue (posted messages,
// paints, timers) and returns how many there were.
int PumpMessages();

// The queued message PumpMessages is dispatching right now, or nullptr. A
// window procedure can tell by it whether a message was posted (it came out
// of the queue) or sent (InSendMessage cannot: it only sees other threads).
const MSG* MessageBeingDispatched();

// Pumps until `done()` is true or `timeoutMs` has passed; returns done().
template <typename Predicate>
bool PumpUntil(Predicate done, DWORD timeoutMs = 2000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) {
            return done();
        }
        if (PumpMessages() == 0) {
            Sleep(5);
        }
    }
    return true;
}

}  // namespace wintest
