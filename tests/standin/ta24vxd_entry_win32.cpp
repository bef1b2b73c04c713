// ta24vxd.vxd: a stand-in for the card's driver, so that the unmodified
// desk.exe runs on simulated cards under Wine through its own driver calls
// and register window. Test code only: the test build makes it, nothing
// ships, packages or installs it.
//
// Wine, with the program's Windows version set to Windows 98, answers the
// desk's CreateFileA("\\.\TA24VXD.VXD") by loading ta24vxd.vxd from the
// program's folder as a DLL. Wine hands a VxD's exported DeviceIoControl
// only control codes whose high word is 0, and the desk's is 0x00222004, so
// the stand-in also takes the desk's own import of KERNEL32!DeviceIoControl.
// Behind it sit the simulated driver and cards that desk-sim.exe uses.
//
// Configured by TA24VXD_STANDIN, which holds desk-sim.exe's words for its
// cards (--cards N or --indices I,J, --no-unit, --stuck-bridge, --trace FILE,
// --state FILE, in the same formats) and one of its own, --routing-requests
// FILE (see driver_events_win32.h). Unset: two cards, as desk-sim.exe has.
// The cards lose power at every standby, as desk-sim.exe's do.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "driver_events_win32.h"
#include "register_trap_win32.h"
#include "sim/mtc_poster_win32.h"
#include "sim/sim_driver_link.h"
#include "sim/sim_options.h"
#include "sim/state_file_win32.h"
#include "win32/command_line.h"

namespace {

constexpr DWORD kQueryBlockCode = 0x00222004;
constexpr UINT kFailedExitCode = 3;

SimDriverLink* driver = nullptr;
std::FILE* trace = nullptr;
decltype(&DeviceIoControl) systemDeviceIoControl = nullptr;

// Whatever the stand-in cannot do ends the run at once, saying why on the
// desk's standard error and in the trace: a guess would test nothing.
void Fail(const char* what) {
    const std::string line = std::string("ta24vxd.vxd (stand-in): ") + what + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    if (trace != nullptr) {
        std::fputs(("- # " + line).c_str(), trace);
        std::fflush(trace);
    }
    TerminateProcess(GetCurrentProcess(), kFailedExitCode);
}

// The driver's answer to the query: the block's address for an index that
// answers; a failed call, as from the driver, for any other.
BOOL Answer(DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned) {
    int32_t index = -1;
    SharedCardBlock* block = nullptr;
    if (code != kQueryBlockCode || in == nullptr || inSize != 4 || out == nullptr || outSize != 4) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::memcpy(&index, in, 4);
    if (!driver->QueryBlock(index, &block)) {
        SetLastError(ERROR_DEV_NOT_EXIST);
        return FALSE;
    }
    const uint32_t address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(block));
    std::memcpy(out, &address, 4);
    if (returned != nullptr) *returned = 4;
    return TRUE;
}

// What the desk's import now calls: the query goes to the stand-in, every
// other call to the system.
BOOL WINAPI DeskDeviceIoControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                                DWORD* returned, OVERLAPPED* overlapped) {
    if (code != kQueryBlockCode)
        return systemDeviceIoControl(device, code, in, inSize, out, outSize, returned, overlapped);
    return Answer(code, in, inSize, out, outSize, returned);
}

// Points the desk's import slot of KERNEL32!DeviceIoControl at the stand-in.
// The program's file stays as it is; only its loaded image changes.
void TakeDeskImport() {
    uint8_t* base = reinterpret_cast<uint8_t*>(GetModuleHandleA(nullptr));
    const IMAGE_NT_HEADERS* headers =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; imports.VirtualAddress != 0 && library->Name != 0; ++library) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + library->Name), "kernel32.dll") != 0) continue;
        const auto* name = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; name->u1.AddressOfData != 0; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "DeviceIoControl") != 0) continue;
            DWORD protection = 0;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection);
            systemDeviceIoControl = reinterpret_cast<decltype(&DeviceIoControl)>(slot->u1.Function);
            slot->u1.Function = reinterpret_cast<uintptr_t>(DeskDeviceIoControl);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
            return;
        }
    }
    Fail("the program does not import KERNEL32!DeviceIoControl");
}

// TA24VXD_STANDIN's words: desk-sim.exe's, with the stand-in's own taken out.
SimOptions Configure(std::string* routingRequests) {
    std::vector<char> text(GetEnvironmentVariableA("TA24VXD_STANDIN", nullptr, 0) + 1, '\0');
    GetEnvironmentVariableA("TA24VXD_STANDIN", text.data(), static_cast<DWORD>(text.size()));
    std::vector<std::string> words = SplitCommandLine(text.data(), false);
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        if (words[i] != "--routing-requests") continue;
        *routingRequests = words[i + 1];
        words.erase(words.begin() + i, words.begin() + i + 2);
        break;
    }
    SimOptions options;
    OptionError error;
    if (!ParseSimOptions(words, &options, &error)) Fail(("TA24VXD_STANDIN: " + error.what).c_str());
    return options;
}

void Start() {
    std::string routingRequests;
    const SimOptions options = Configure(&routingRequests);
    SetTrapFailure(Fail);
    static SimDriverLink simulated(options.answering);
    driver = &simulated;
    SimCard* cards[kMaxCards] = {};
    SharedCardBlock* blocks[kMaxCards] = {};
    for (int column = 0; column < driver->CardCount(); ++column) {
        cards[column] = &driver->CardInColumn(column);
        blocks[column] = &driver->BlockInColumn(column);
        blocks[column]->registers = OpenRegisterWindow(cards[column]);
        if (blocks[column]->registers == 0) Fail("no page for a register window");
    }
    if (!options.traceFile.empty()) {
        trace = std::fopen(options.traceFile.c_str(), "w");
        if (trace == nullptr) Fail(("cannot write the trace " + options.traceFile).c_str());
        driver->SetTrace(trace);
    }
    driver->SetUnitPresent(!options.unitAbsent);
    driver->SetBridgeStuck(options.bridgeStuck);
    if (!options.stateFile.empty()) StartStateFile(options.stateFile, driver);
    StartMtcPoster(cards, blocks, driver->CardCount());
    WatchDeskWindow(driver);
    if (!routingRequests.empty()) StartRoutingRequests(routingRequests, driver, Fail);
    TakeDeskImport();
}

}  // namespace

// The export Wine looks for in a VxD; it passes it the calls whose control
// code has a high word of 0, which the desk never makes.
extern "C" BOOL WINAPI StandInVxdControl(DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned,
                                         OVERLAPPED*) {
    return Answer(code, in, inSize, out, outSize, returned);
}

// Wine loads the stand-in on the desk's own thread, from inside its
// CreateFileA, before the desk's first query.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) Start();
    return TRUE;
}
