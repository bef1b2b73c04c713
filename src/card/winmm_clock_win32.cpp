#include "card/winmm_clock_win32.h"

#include <windows.h>
#include <mmsystem.h>

uint32_t WinmmClock::Now() { return timeGetTime(); }
