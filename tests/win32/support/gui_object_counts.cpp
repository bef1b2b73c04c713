#include "support/gui_object_counts.h"

#include <cstdint>

namespace wintest {

namespace {

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// One entry of Wine's GDI handle table; the same layout serves 32- and
// 64-bit processes.
struct WineGdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;  // 0 for a free entry
    uint8_t flags;
    uint64_t userPointer;
};
static_assert(sizeof(WineGdiHandleEntry) == 24, "Wine's GDI handle entry layout");
constexpr int kWineGdiHandleCount = 0x10000;

const WineGdiHandleEntry* WineGdiHandleTable() {
#if defined(_WIN64)
    return nullptr;
#else
    // PEB.GdiSharedHandleTable, at 0x94 in the 32-bit PEB.
    const BYTE* teb = reinterpret_cast<const BYTE*>(NtCurrentTeb());
    const BYTE* peb = *reinterpret_cast<const BYTE* const*>(teb + 0x30);
    return *reinterpret_cast<const WineGdiHandleEntry* const*>(peb + 0x94);
#endif
}

BOOL CALLBACK CountWindow(HWND window, LPARAM counter) {
    ++*reinterpret_cast<long*>(counter);
    return TRUE;
}

BOOL CALLBACK CountWindowTree(HWND window, LPARAM counter) {
    ++*reinterpret_cast<long*>(counter);
    EnumChildWindows(window, CountWindow, counter);
    return TRUE;
}

}  // namespace

GuiObjectCount CountGdiObjects() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) {
        return {static_cast<long>(reported), CountMethod::kGetGuiResources};
    }
    const WineGdiHandleEntry* table = RunningUnderWine() ? WineGdiHandleTable() : nullptr;
    if (table == nullptr) {
        return {-1, CountMethod::kUnavailable};
    }
    long inUse = 0;
    for (int i = 0; i < kWineGdiHandleCount; ++i) {
        if (table[i].type != 0) {
            ++inUse;
        }
    }
    return {inUse, CountMethod::kWineHandleTable};
}

GuiObjectCount CountUserObjects() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (reported != 0) {
        return {static_cast<long>(reported), CountMethod::kGetGuiResources};
    }
    long windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindowTree, reinterpret_cast<LPARAM>(&windows));
    return {windows, CountMethod::kWindowCensus};
}

const char* CountMethodName(CountMethod method) {
    switch (method) {
    case CountMethod::kGetGuiResources: return "GetGuiResources";
    case CountMethod::kWineHandleTable: return "Wine GDI handle table";
    case CountMethod::kWindowCensus: return "window census";
    case CountMethod::kUnavailable: break;
    }
    return "unavailable";
}

}  // namespace wintest
