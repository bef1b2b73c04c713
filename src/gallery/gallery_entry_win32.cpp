// gallery.exe: one control of each of the toolkit's fifteen classes, on the
// desk's skin, live: try them, watch their values and what they tell their
// parent. Closing the window ends it with exit code 0.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "win32/command_line.h"
#include "win32/console_report_win32.h"
#include "controls/toolkit_frame.h"
#include "gallery/gallery_options.h"
#include "gallery/gallery_window_win32.h"

namespace {

std::FILE* eventsFile = nullptr;
std::FILE* traceFile = nullptr;

// Each line written and flushed as it comes, for whoever reads the file
// while the gallery runs.
void WriteEvent(const std::string& line) {
    std::fputs(line.c_str(), eventsFile);
    std::fputc('\n', eventsFile);
    std::fflush(eventsFile);
}

void WriteTrace(const char* text) {
    const size_t length = std::strlen(text);
    std::fputs(text, traceFile);
    if (length == 0 || text[length - 1] != '\n') std::fputc('\n', traceFile);
    std::fflush(traceFile);
}

std::FILE* OpenOutput(const std::string& path, const char* option) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        ReportText(STD_ERROR_HANDLE, std::string("gallery: cannot write ") + option + " file " + path + "\n",
                   "gallery", MB_ICONERROR);
    }
    return file;
}

void SignalReady(const std::string& name) {
    if (name.empty()) return;
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, name.c_str());
    if (event == nullptr) return;
    SetEvent(event);
    CloseHandle(event);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    GalleryOptions options;
    std::string error;
    if (!ParseGalleryOptions(SplitCommandLine(GetCommandLineA(), true), &options, &error)) {
        ReportText(STD_ERROR_HANDLE, "gallery: " + error + "\n\n" + kGalleryUsage, "gallery", MB_ICONERROR);
        return 2;
    }
    if (options.help) {
        ReportText(STD_OUTPUT_HANDLE, kGalleryUsage, "gallery", MB_ICONINFORMATION);
        return 0;
    }
    if (!options.eventsFile.empty()) {
        if ((eventsFile = OpenOutput(options.eventsFile, "--events")) == nullptr) return 2;
        SetGalleryEventSink(WriteEvent);
    }
    if (!options.drawTraceFile.empty()) {
        if ((traceFile = OpenOutput(options.drawTraceFile, "--draw-trace")) == nullptr) return 2;
        SetToolkitTraceSink(WriteTrace);
    }

    RegisterControlClasses(instance);
    int result = 1;
    if (HWND gallery = CreateGalleryWindow(instance)) {
        ShowWindow(gallery, SW_SHOWNORMAL);
        UpdateWindow(gallery);
        SignalReady(options.readyEvent);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        result = static_cast<int>(message.wParam);
    }
    UnregisterGalleryClass(instance);
    UnregisterControlClasses();
    SetToolkitTraceSink(nullptr);
    SetGalleryEventSink(nullptr);
    if (eventsFile != nullptr) std::fclose(eventsFile);
    if (traceFile != nullptr) std::fclose(traceFile);
    return result;
}
