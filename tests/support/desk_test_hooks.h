// What tests, benchmarks and fuzzers do to the desk that the desk never does
// itself: put its program-wide tables back as at process start, between
// cases, and place its window on a screen of their choosing. Each is defined
// beside its table in src/; the desk's own headers leave them out.
#pragma once

#include "app/main_window_placement.h"
#include "settings/settings_store.h"

void ResetCardTableForTest();        // forget every card found
void ResetSettingsRecordsForTest();  // zero every record
void ResetCardPanelsForTest();       // forget every panel's handles
void ResetTimecodeForTest();         // forget the received times, disarm
void ResetStandbyForTest();          // forget the standbys seen
// The rename an export of setups makes, instead of the C library's (null:
// the C library's again).
void SetFileRenameForTest(int (*rename)(const char* from, const char* to));
// The screen the main window is placed on, instead of the system's (null:
// the system's again). Windows programs only.
void SetPanelScreenForTest(const ScreenMetrics* screen);
#ifdef _WIN32
#include <windows.h>
// The functions that find the monitor a window is on and its areas, instead
// of USER32's (null: USER32's again).
void SetMonitorFunctionsForTest(HMONITOR(WINAPI* fromWindow)(HWND, DWORD), BOOL(WINAPI* info)(HMONITOR, LPMONITORINFO));
#endif

// The record a card gets when none is stored: every slot 0 but set A's
// row 1 (slot 7): fs, internal clock, routing on with set A on the second
// output pair, 32000 Hz by hand, 24 frames.
inline const MixerSettings kDefaultRecord = {0, 0, 0, 0, 0, 0, {0, 1, 0, 0}, {0, 0, 0, 0}, 0, 0, 0};
