#include "card/vxd_driver_link_win32.h"

#include <new>

#include "card/memory_register_space_win32.h"

namespace {
const char kDeviceName[] = "\\\\.\\TA24VXD.VXD";
const DWORD kQueryBlockCode = 0x00222004;  // device 0x22, function 0x801, buffered, any access
}  // namespace

bool VxdDriverLink::Open() {
    device_ = CreateFileA(kDeviceName, 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    return device_ != INVALID_HANDLE_VALUE;
}

bool VxdDriverLink::QueryBlock(int32_t driverIndex, SharedCardBlock** block) {
    DWORD index = static_cast<DWORD>(driverIndex);
    DWORD address = 0;
    DWORD returned = 0;
    if (!DeviceIoControl(device_, kQueryBlockCode, &index, sizeof index, &address, sizeof address, &returned, nullptr))
        return false;
    *block = reinterpret_cast<SharedCardBlock*>(static_cast<uintptr_t>(address));
    return true;
}

void VxdDriverLink::Close() {
    CloseHandle(device_);
    device_ = INVALID_HANDLE_VALUE;
}

RegisterSpace* VxdDriverLink::RegistersFor(SharedCardBlock* block) {
    return new (std::nothrow) MemoryRegisterSpace(block->registers);
}
