// How much heap this process has in use, for leak checks: HeapWalk over
// every heap the process has (GetProcessHeaps), adding up the busy blocks.
// That covers the process heap (the controls' state blocks, and USER and GDI
// bookkeeping, which Wine keeps there), the C runtime's heap (operator new,
// malloc) and any other. Works the same on Windows and under Wine.
#pragma once

#include <windows.h>

namespace wintest {

struct HeapInUse {
    unsigned long long bytes;  // payload of every busy block
    unsigned long blocks;      // number of busy blocks
    unsigned heaps;            // heaps walked
};

// Allocates nothing itself, so it can be taken before and after a run
// without disturbing what it measures.
HeapInUse MeasureHeapInUse();

// HeapValidate on every heap of the process; false when any is damaged.
bool AllHeapsValid();

}  // namespace wintest
