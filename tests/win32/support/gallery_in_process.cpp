#include "support/gallery_in_process.h"

#include "controls/toolkit_frame.h"
#include "gallery/gallery_window_win32.h"
#include "support/message_pump.h"
#include "support/wine_window_manager.h"

namespace wintest {

HWND OpenGalleryInProcess() {
    KeepWindowsUnmanagedUnderWine();
    RegisterControlClasses(GetModuleHandleA(nullptr));
    return CreateGalleryWindow(GetModuleHandleA(nullptr));
}

void CloseGalleryInProcess(HWND gallery) {
    DestroyWindow(gallery);
    PumpMessages();
    UnregisterGalleryClass(GetModuleHandleA(nullptr));
    UnregisterControlClasses();
}

}  // namespace wintest
