// Window procedures of the fifteen Kiv_ classes, one per class file, named
// by what the control is.
#pragma once

#include <windows.h>

LRESULT CALLBACK PushButtonWindowProc(HWND, UINT, WPARAM, LPARAM);         // Kiv_ButtonClass
LRESULT CALLBACK StaticBitmapWindowProc(HWND, UINT, WPARAM, LPARAM);       // Kiv_StaticClass
LRESULT CALLBACK PopupMenuSelectorWindowProc(HWND, UINT, WPARAM, LPARAM);  // Kiv_PopMenuClass
LRESULT CALLBACK OnOffSwitchWindowProc(HWND, UINT, WPARAM, LPARAM);        // Kiv_OnOffClass
LRESULT CALLBACK ToggleButtonWindowProc(HWND, UINT, WPARAM, LPARAM);       // Kiv_TogleClass
LRESULT CALLBACK ThreeStateButtonWindowProc(HWND, UINT, WPARAM, LPARAM);   // Kiv_State3Class
LRESULT CALLBACK VerticalSliderWindowProc(HWND, UINT, WPARAM, LPARAM);     // Kiv_VSClass
LRESULT CALLBACK HorizontalSliderWindowProc(HWND, UINT, WPARAM, LPARAM);   // Kiv_HSClass
LRESULT CALLBACK BitmapListWindowProc(HWND, UINT, WPARAM, LPARAM);         // Kiv_BmpListClass
LRESULT CALLBACK DigitDisplayWindowProc(HWND, UINT, WPARAM, LPARAM);       // Kiv_DigitClass
LRESULT CALLBACK BitmapTextWindowProc(HWND, UINT, WPARAM, LPARAM);         // Kiv_BmpTextClass
LRESULT CALLBACK BitmapGaugeWindowProc(HWND, UINT, WPARAM, LPARAM);        // Kiv_BmpGageClass
LRESULT CALLBACK KnobWindowProc(HWND, UINT, WPARAM, LPARAM);               // Kiv_KnobClass
LRESULT CALLBACK DigitFieldWindowProc(HWND, UINT, WPARAM, LPARAM);         // Kiv_DigitExClass
LRESULT CALLBACK SmallTextWindowProc(HWND, UINT, WPARAM, LPARAM);          // Kiv_SmallTextClass
