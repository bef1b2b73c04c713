// desk.exe: the control desk on the real card driver.
#include <windows.h>

#include "app/main_window_win32.h"
#include "app/single_desk_win32.h"
#include "card/vxd_driver_link_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // A second start shows the running desk's panel and ends here.
    if (!ClaimDesk(instance, "desk")) return 0;
    static VxdDriverLink driver;
    return RunDesk(instance, {&driver, kDeskSettingsKey, nullptr});
}
