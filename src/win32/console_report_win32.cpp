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
