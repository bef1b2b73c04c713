#include "support/message_pump.h"

namespace wintest {

int PumpMessages() {
    int count = 0;
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        ++count;
    }
    return count;
}

}  // namespace wintest
