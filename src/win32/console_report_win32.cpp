#include "win32/console_report_win32.h"

bool HasStandardHandle(DWORD standardHandle) {
    HANDLE handle = GetStdHandle(standardHandle);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

void ReportText(DWORD standardHandle, const std::string& consoleText, const std::string& boxText, const char* caption,
                UINT boxIcon) {
    HANDLE handle = GetStdHandle(standardHandle);
    DWORD written = 0;
    if (HasStandardHandle(standardHandle) &&
        WriteFile(handle, consoleText.data(), static_cast<DWORD>(consoleText.size()), &written, nullptr)) {
        FlushFileBuffers(handle);
        return;
    }
    MessageBoxA(nullptr, boxText.c_str(), caption, MB_OK | boxIcon);
}

void SignalReadyEvent(const std::string& name) {
    if (name.empty()) return;
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, name.c_str());
    if (event == nullptr) return;
    SetEvent(event);
    CloseHandle(event);
}
