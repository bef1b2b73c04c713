// gallery.exe: one control of each of the toolkit's fifteen classes, on the
// desk's skin, live: try them, watch their values and what they tell their
// parent. Closing the window ends it with exit code 0.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "controls/toolkit_dialog.h"
#include "controls/toolkit_frame.h"
#include "gallery/gallery_options.h"
#include "gallery/gallery_window_win32.h"
#include "win32/console_report_win32.h"
#include "win32/top_level_window_win32.h"

namespace {

std::FILE* eventsFile = nullptr;
std::FILE* traceFile = nullptr;

// Each line written and flushed as it comes, for whoever reads the file
// while the gallery runs.
void WriteLine(std::FILE* file, const char* text) {
    const size_t length = std::strlen(text);
    std::fputs(text, file);
    if (length == 0 || text[length - 1] != '\n') std::fputc('\n', file);
    std::fflush(file);
}

void WriteEvent(const std::string& line) { WriteLine(eventsFile, line.c_str()); }

void WriteTrace(const char* text) { WriteLine(traceFile, text); }

std::FILE* OpenOutput(const std::string& path, const char* option) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        ReportText(STD_ERROR_HANDLE, std::string("gallery.exe: cannot write ") + option + " file " + path + "\n",
                   std::string("gallery.exe cannot start: it cannot write the ") + option + " file \"" + path + "\".",
                   "gallery.exe", MB_ICONERROR);
    }
    return file;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    GalleryOptions options;
    const int end = TakeProgramOptions(GalleryProgramHelp(), ParseGalleryOptions, &options);
    if (end >= 0) return end;
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
        SignalReadyEvent(options.readyEvent);
        // Tab, Shift+Tab and the controls' keys, as in a dialog.
        result = RunMessageLoop([gallery](MSG* message) { return ToolkitDialogMessage(gallery, message); });
    }
    UnregisterGalleryClass(instance);
    UnregisterControlClasses();
    SetToolkitTraceSink(nullptr);
    SetGalleryEventSink(nullptr);
    if (eventsFile != nullptr) std::fclose(eventsFile);
    if (traceFile != nullptr) std::fclose(traceFile);
    return result;
}
