#include "app/tray_menu_win32.h"

#include <shellapi.h>

#include <cstdint>

#include "app/desk_messages.h"
#include "settings/settings_store.h"

namespace {

constexpr UINT kTrayIconId = 0x507;
constexpr UINT kTrayRecordSize = 88;  // the original, smallest record every shell takes

enum : UINT {
    kCmdDirectSound = 910,  // 910..914: disabled, wave 1..4
    kCmdGigaSampler = 920,  // 920, 921: disabled, enabled
    kCmdEasi = 930,         // 930..933: "Disable Wave 1..4"
    kCmdMmeBufsize = 940,   // 940..943: 0x1000 << n
};

NOTIFYICONDATAA trayRecord;
HMENU optionsMenu = nullptr;
int32_t topmost = 0;
UINT taskbarCreatedMessage = 0;

void RestartWindows(HWND, int32_t) { ExitWindowsEx(EWX_REBOOT, 0); }
void (*rebootAction)(HWND, int32_t) = RestartWindows;

const char* const kEasiNames[4] = {"EASI0", "EASI1", "EASI2", "EASI3"};

struct MenuItem {
    UINT id;
    const char* label;
};

HMENU BuildSubmenu(const MenuItem* items, int count) {
    HMENU submenu = CreatePopupMenu();
    for (int i = 0; i < count; ++i) AppendMenuA(submenu, MF_STRING | MF_UNCHECKED, items[i].id, items[i].label);
    return submenu;
}

int32_t ReadOption(const char* name) {
    int32_t value = 0;
    ReadSetting(name, &value, &value, sizeof value);
    return value;
}

void WriteOption(const char* name, int32_t value) { WriteSetting(name, &value, sizeof value); }

void CheckItem(UINT id, bool checked) { CheckMenuItem(optionsMenu, id, checked ? MF_CHECKED : MF_UNCHECKED); }

void CheckDirectSound(int32_t value) {
    for (int32_t i = 0; i <= 4; ++i) CheckItem(kCmdDirectSound + i, i == value);
}

void CheckGigaSampler(int32_t value) {
    for (int32_t i = 0; i <= 1; ++i) CheckItem(kCmdGigaSampler + i, i == value);
}

void CheckBufsize(int32_t value) {
    for (int32_t i = 0; i <= 3; ++i) CheckItem(kCmdMmeBufsize + i, value == (0x1000 << i));
}

}  // namespace

void AddTrayIcon(HWND window) {
    if (taskbarCreatedMessage == 0) taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    trayRecord = NOTIFYICONDATAA{};
    trayRecord.cbSize = kTrayRecordSize;
    trayRecord.hWnd = window;
    trayRecord.uID = kTrayIconId;
    trayRecord.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayRecord.uCallbackMessage = kWmTrayNotify;
    trayRecord.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DESK_SMALL));
    lstrcpynA(trayRecord.szTip, "TaraDock-20 Control Desk", sizeof trayRecord.szTip);
    Shell_NotifyIconA(NIM_ADD, &trayRecord);
}

void RemoveTrayIcon() { Shell_NotifyIconA(NIM_DELETE, &trayRecord); }

const NOTIFYICONDATAA& TrayIconRecord() { return trayRecord; }

bool IsTaskbarCreatedMessage(UINT message) { return taskbarCreatedMessage != 0 && message == taskbarCreatedMessage; }

void BuildOptionsMenu() {
    static const MenuItem kEasi[] = {{kCmdEasi + 0, "Disable Wave 1"},
                                     {kCmdEasi + 1, "Disable Wave 2"},
                                     {kCmdEasi + 2, "Disable Wave 3"},
                                     {kCmdEasi + 3, "Disable Wave 4"}};
    static const MenuItem kGigaSampler[] = {{kCmdGigaSampler + 0, "Disable"}, {kCmdGigaSampler + 1, "Enable"}};
    static const MenuItem kDirectSound[] = {{kCmdDirectSound + 0, "Disable"},
                                            {kCmdDirectSound + 1, "Select Wave 1"},
                                            {kCmdDirectSound + 2, "Select Wave 2"},
                                            {kCmdDirectSound + 3, "Select Wave 3"},
                                            {kCmdDirectSound + 4, "Select Wave 4"}};
    static const MenuItem kBufsize[] = {{kCmdMmeBufsize + 0, "1000h"},
                                        {kCmdMmeBufsize + 1, "2000h"},
                                        {kCmdMmeBufsize + 2, "4000h"},
                                        {kCmdMmeBufsize + 3, "8000h"}};

    HMENU easi = BuildSubmenu(kEasi, 4);
    HMENU gigaSampler = BuildSubmenu(kGigaSampler, 2);
    HMENU directSound = BuildSubmenu(kDirectSound, 5);
    HMENU bufsize = BuildSubmenu(kBufsize, 4);

    optionsMenu = CreatePopupMenu();
    AppendMenuA(optionsMenu, MF_STRING, kCmdClosePanel, "&Close Panel");
    AppendMenuA(optionsMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(optionsMenu, MF_STRING, kCmdAlwaysOnTop, "Always on &Top");
    AppendMenuA(optionsMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(optionsMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(easi), "&EASI");
    AppendMenuA(optionsMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(optionsMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(gigaSampler), "&GigaSampler");
    AppendMenuA(optionsMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(optionsMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(directSound), "&DirectSound");
    AppendMenuA(optionsMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(optionsMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(bufsize), "&MME Bufsize");

    const int32_t directSoundValue = ReadOption("DSOUND");
    const int32_t gigaSamplerValue = ReadOption("GSIF");
    int32_t easiValues[4];
    for (int i = 0; i < 4; ++i) easiValues[i] = ReadOption(kEasiNames[i]);
    const int32_t bufsizeValue = ReadOption("MMEBufsize");

    CheckDirectSound(directSoundValue);
    CheckGigaSampler(gigaSamplerValue);
    for (int i = 0; i < 4; ++i) CheckItem(kCmdEasi + i, easiValues[i] == 1);
    CheckBufsize(bufsizeValue);
}

HMENU OptionsMenu() { return optionsMenu; }

bool IsOptionsCommand(unsigned id) {
    return (id >= kCmdDirectSound && id <= kCmdDirectSound + 4) ||
           (id >= kCmdGigaSampler && id <= kCmdGigaSampler + 1) || (id >= kCmdEasi && id <= kCmdEasi + 3) ||
           (id >= kCmdMmeBufsize && id <= kCmdMmeBufsize + 3);
}

LRESULT OnOptionsCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND) return 0;
    const UINT id = LOWORD(wParam);
    if (id >= kCmdDirectSound && id <= kCmdDirectSound + 4) {
        const int32_t value = static_cast<int32_t>(id - kCmdDirectSound);
        CheckDirectSound(value);
        WriteOption("DSOUND", value);
        if (MessageBoxA(window, "To take effect DirectSound change, you must reboot.", "DSOUUND mode change",
                        MB_OKCANCEL) == IDOK)
            rebootAction(window, value);
    } else if (id >= kCmdGigaSampler && id <= kCmdGigaSampler + 1) {
        const int32_t value = static_cast<int32_t>(id - kCmdGigaSampler);
        WriteOption("GSIF", value);
        CheckGigaSampler(value);
    } else if (id >= kCmdEasi && id <= kCmdEasi + 3) {
        const int32_t value = GetMenuState(optionsMenu, id, MF_BYCOMMAND) == MF_CHECKED ? 0 : 1;
        WriteOption(kEasiNames[id - kCmdEasi], value);
        CheckItem(id, value == 1);
    } else if (id >= kCmdMmeBufsize && id <= kCmdMmeBufsize + 3) {
        const int32_t value = 0x1000 << (id - kCmdMmeBufsize);
        WriteOption("MMEBufsize", value);
        CheckBufsize(value);
    }
    return 0;
}

void SetRebootAction(void (*action)(HWND window, int32_t directSound)) {
    rebootAction = action != nullptr ? action : RestartWindows;
}

void OnClosePanel(HWND window) {
    ShowWindow(window, SW_HIDE);
    SaveAllSettings();
}

void OnAlwaysOnTop(HWND window) {
    topmost = topmost ? 0 : 1;
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CheckItem(kCmdAlwaysOnTop, topmost == 1);
}
