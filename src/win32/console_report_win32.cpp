#include "win32/console_report_win32.h"

void ReportText(DWORD standardHandle, const std::string& text, const char* caption, UINT boxIcon) {
    HANDLE handle = GetStdHandle(standardHandle);
    DWORD written = 0;
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE &&
        WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
        FlushFileBuffers(handle);
        return;
    }
    MessageBoxA(nullptr, text.c_str(), caption, MB_OK | boxIcon);
}

void SignalReadyEvent(const std::string& name) {
    if (name.empty()) return;
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, name.c_str());
    if (event == nullptr) return;
    SetEvent(event);
    CloseHandle(event);
}
