// How many GDI and USER objects this process holds, for leak checks.
//
// GetGuiResources answers on Windows; under Wine it is a stub that always
// returns 0. There the GDI count comes from the process's GDI handle table
// (the one the PEB points to), counting the entries in use, and the USER
// count from a census of this thread's windows, top-level and child (the
// only USER objects that controls create; cursors and icons loaded from
// resources are shared and not counted by either method).
#pragma once

#include <windows.h>

namespace wintest {

enum class CountMethod { kGetGuiResources, kWineHandleTable, kWindowCensus, kUnavailable };

struct GuiObjectCount {
    long count;  // -1 when no method is available
    CountMethod method;
};

GuiObjectCount CountGdiObjects();
GuiObjectCount CountUserObjects();
const char* CountMethodName(CountMethod method);

}  // namespace wintest
