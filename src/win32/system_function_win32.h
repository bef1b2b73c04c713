// A function of a system library looked up at run time rather than imported:
// for what only some versions of Windows export, and for libraries the
// desk loads only when it first needs them.
#pragma once

#include <windows.h>

// `name` in `library` as a `Function`; null when there is no library or it
// exports no such name.
template <typename Function>
Function SystemFunction(HMODULE library, const char* name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
