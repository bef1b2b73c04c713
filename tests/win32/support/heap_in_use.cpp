#include "support/heap_in_use.h"

namespace wintest {

namespace {

constexpr DWORD kMaxHeaps = 256;

DWORD ProcessHeaps(HANDLE (&heaps)[kMaxHeaps]) {
    const DWORD count = GetProcessHeaps(kMaxHeaps, heaps);
    return count < kMaxHeaps ? count : kMaxHeaps;
}

}  // namespace

HeapInUse MeasureHeapInUse() {
    HANDLE heaps[kMaxHeaps];
    const DWORD count = ProcessHeaps(heaps);
    HeapInUse total = {0, 0, static_cast<unsigned>(count)};
    for (DWORD i = 0; i < count; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                total.bytes += entry.cbData;
                ++total.blocks;
            }
        }
        HeapUnlock(heaps[i]);
    }
    return total;
}

bool AllHeapsValid() {
    HANDLE heaps[kMaxHeaps];
    const DWORD count = ProcessHeaps(heaps);
    for (DWORD i = 0; i < count; ++i) {
        if (!HeapValidate(heaps[i], 0, nullptr)) return false;
    }
    return true;
}

}  // namespace wintest
