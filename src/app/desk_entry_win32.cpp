// desk.exe: the control desk on the real card driver.
#include <windows.h>

#include "app/desk_options.h"
#include "app/main_window_win32.h"
#include "app/setup_handover_win32.h"
#include "app/setups_transfer_win32.h"
#include "app/single_desk_win32.h"
#include "card/vxd_driver_link_win32.h"
#include "win32/console_report_win32.h"

namespace {

const char kNoCardMessage[] =
    "No TaraDock-20 card was found.\n\n"
    "Check that the card sits firmly in its PCI slot and that its driver is installed: Device Manager lists the "
    "card under \"Sound, video and game controllers\" once it is.\n\n"
    "The control desk starts by itself at every logon and gives each card the settings you made for it.\n\n"
    "To see the desk without a card, choose \"Try the Desk on Simulated Cards (no card needed)\" in the Start "
    "menu's \"TaraDock-20 Control Desk\" folder.";

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    DeskOptions options;
    const int end = TakeProgramOptions(DeskProgramHelp(), ParseDeskOptions, &options);
    if (end >= 0) return end;
    // Done at once, beside a running desk or none, touching no card.
    const int fileEnd = RunSetupsFileOption("desk.exe", kDeskSettingsKey, options);
    if (fileEnd >= 0) return fileEnd;
    // A second start hands its options to the running desk and ends here.
    HWND running = nullptr;
    if (!ClaimDesk(instance, "desk", &running)) return HandOverToRunningDesk(running, "desk.exe", options);
    static VxdDriverLink driver;
    return RunDesk(instance, {"desk.exe", &driver, kDeskSettingsKey, nullptr, options, kNoCardMessage});
}
