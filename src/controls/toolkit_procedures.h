// Window procedures of the fifteen Kiv_ classes, one per class unit. A class
// that is not built yet has its declaration here but no definition; the
// registration table holds NULL in its place until it is.
#pragma once

#include <windows.h>

LRESULT CALLBACK ButtonWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StaticBitmapWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PopMenuWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK OnOffWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ToggleWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK State3WindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK VSliderWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK HSliderWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK BmpListWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK DigitDisplayWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK BmpTextWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK BmpGageWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK KnobWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK DigitFieldWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK SmallTextWindowProc(HWND, UINT, WPARAM, LPARAM);
