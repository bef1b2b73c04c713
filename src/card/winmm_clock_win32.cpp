#include "card/winmm_clock_win32.h"

#include <windows.h>

#include "win32/system_function_win32.h"

namespace {

typedef DWORD(WINAPI* ReadTimer)();

// winmm is loaded on the first wait rather than with the program: only the
// external unit's lock and unlock wait, and loading the library at start
// costs the desk a good share of its start-up time and memory. Without it,
// GetTickCount gives the same milliseconds at a coarser step.
ReadTimer FindMultimediaTimer() {
    const ReadTimer timer = SystemFunction<ReadTimer>(LoadLibraryA("winmm.dll"), "timeGetTime");
    return timer != nullptr ? timer : GetTickCount;
}

}  // namespace

uint32_t WinmmClock::Now() {
    static const ReadTimer readTimer = FindMultimediaTimer();
    return readTimer();
}
