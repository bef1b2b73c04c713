#include "support/message_pump.h"

namespace wintest {

namespace {
thread_local const MSG* dispatching = nullptr;
}  // namespace

const MSG* MessageBeingDispatched() { return dispatching; }

int PumpMessages() {
    int count = 0;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        const MSG* outer = dispatching;
        dispatching = &message;
        DispatchMessageA(&message);
        dispatching = outer;
        ++count;
    }
    return count;
}

}  // namespace wintest
