// The state block of a dialog box made with DialogBoxParamA: its parameter,
// bound under DWLP_USER at WM_INITDIALOG, as the top-level frame binds a
// window's at WM_NCCREATE.
#pragma once

#include <windows.h>

// The dialog's block for `message`; null for the messages before
// WM_INITDIALOG (Windows sends the dialog a few).
template <typename State>
State* DialogState(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}
