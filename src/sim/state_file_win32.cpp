#include "sim/state_file_win32.h"

#include <windows.h>

#include <cstdio>

#include "sim/card_state_text.h"
#include "sim/sim_driver_link.h"

namespace {

constexpr UINT kCheckMs = 100;

std::string g_path;
SimDriverLink* g_driver = nullptr;
std::string g_written;
UINT_PTR g_timer = 0;

bool WriteWhole(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

// A reader never sees half a file: the text goes to a neighbour first,
// then the old file goes and the neighbour takes its name. A reader finds
// the whole old text, for a moment no file, or the whole new text.
// (MoveFileExA would replace it in one step, but Windows 9x only has it as
// a stub that fails.)
void Replace(const std::string& path, const std::string& text) {
    const std::string scratch = path + ".new";
    if (WriteWhole(scratch, text)) {
        DeleteFileA(path.c_str());
        if (MoveFileA(scratch.c_str(), path.c_str())) return;
    }
    DeleteFileA(scratch.c_str());
    WriteWhole(path, text);
}

void WriteIfChanged() {
    if (g_driver == nullptr) return;
    std::string text = FormatAllCardStates(*g_driver);
    if (text == g_written) return;
    Replace(g_path, text);
    g_written.swap(text);
}

void CALLBACK OnCheck(HWND, UINT, UINT_PTR, DWORD) { WriteIfChanged(); }

}  // namespace

void StartStateFile(const std::string& path, SimDriverLink* driver) {
    FinishStateFile();
    g_path = path;
    g_driver = driver;
    g_written.clear();
    WriteIfChanged();
    g_timer = SetTimer(nullptr, 0, kCheckMs, OnCheck);
}

void FinishStateFile() {
    if (g_timer != 0) {
        KillTimer(nullptr, g_timer);
        g_timer = 0;
    }
    WriteIfChanged();
    g_driver = nullptr;
}
