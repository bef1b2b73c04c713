#include "app/setups_menu_win32.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/desk_messages.h"
#include "app/setup_name_dialog_win32.h"
#include "app/setup_request.h"
#include "app/setups_list_dialog_win32.h"
#include "app/setups_transfer_win32.h"
#include "panel/setup_recall.h"
#include "settings/setups_store.h"

namespace {

const char kCaption[] = "TaraDock-20 Control Desk";

HMENU setupsMenu = nullptr;
// The names as the menu lists them: a recall or delete command's offset
// from its first id is a name's place here.
std::vector<std::string> listed;

// A name as a menu shows it: an ampersand would underline the next letter.
std::string MenuText(const std::string& name) {
    std::string text;
    for (char c : name) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

void ClearMenu(HMENU menu) {
    // DeleteMenu destroys a submenu with its item.
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
}

void Tell(HWND window, const std::string& text) { MessageBoxA(window, text.c_str(), kCaption, MB_OK | MB_ICONERROR); }

void SaveAs(HWND window) {
    std::string name;
    if (!AskSetupName(window, LastSetup(), &name)) return;
    const SetupResult result = CarryOutSetupRequest(SetupAction::Save, name);
    if (result.outcome != SetupOutcome::Done) Tell(window, SetupResultText(SetupAction::Save, name, result));
}

void Recall(HWND window, const std::string& name) {
    const SetupResult result = CarryOutSetupRequest(SetupAction::Recall, name);
    if (result.outcome != SetupOutcome::Done) Tell(window, SetupResultText(SetupAction::Recall, name, result));
}

void ChooseFromAll(HWND window) {
    std::string name;
    if (ChooseSetupToRecall(window, &name)) Recall(window, name);
}

}  // namespace

// The name is a copy: the list it came from may be listed again while the
// question is open.
void AskToDeleteSetup(HWND window, std::string name) {
    const std::string question = "Delete the setup \"" + name + "\"?";
    if (MessageBoxA(window, question.c_str(), kCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    if (DeleteSetup(name))
        ForgetLastSetup(name);
    else
        Tell(window, "The setup \"" + name + "\" could not be deleted.");
}

void AppendSetupsMenu(HMENU optionsMenu) {
    setupsMenu = CreatePopupMenu();
    AppendMenuA(optionsMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(optionsMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(setupsMenu), "&Setups");
    RefreshSetupsMenu();
}

void RefreshSetupsMenu() {
    if (setupsMenu == nullptr) return;
    ClearMenu(setupsMenu);
    // The first ones by name; the list of every setup reaches the others.
    const std::vector<std::string> all = ListSetups();
    listed.assign(all.begin(), all.begin() + std::min<size_t>(all.size(), kMostSetupsInMenu));
    const bool lastMatches = !LastSetup().empty() && CardsMatchSetup(LastSetup());

    AppendMenuA(setupsMenu, MF_STRING, kCmdSaveSetupAs, "&Save Current Settings As...");
    if (!listed.empty()) AppendMenuA(setupsMenu, MF_SEPARATOR, 0, nullptr);
    HMENU deleteMenu = CreatePopupMenu();
    for (size_t i = 0; i < listed.size(); ++i) {
        const std::string text = MenuText(listed[i]);
        const UINT checked = lastMatches && listed[i] == LastSetup() ? MF_CHECKED : MF_UNCHECKED;
        AppendMenuA(setupsMenu, MF_STRING | checked, kCmdRecallSetup + i, text.c_str());
        AppendMenuA(deleteMenu, MF_STRING, kCmdDeleteSetup + i, text.c_str());
    }
    AppendMenuA(setupsMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(setupsMenu, MF_POPUP | (listed.empty() ? MF_GRAYED : MF_ENABLED),
                reinterpret_cast<UINT_PTR>(deleteMenu), "&Delete Setup");
    AppendMenuA(setupsMenu, MF_STRING | (listed.empty() ? MF_GRAYED : MF_ENABLED), kCmdExportSetups,
                "&Export Setups...");
    AppendMenuA(setupsMenu, MF_STRING, kCmdImportSetups, "&Import Setups...");
    if (all.size() > listed.size()) AppendMenuA(setupsMenu, MF_STRING, kCmdMoreSetups, "&More Setups...");
}

bool IsSetupsCommand(unsigned id) {
    return id == kCmdSaveSetupAs || id == kCmdMoreSetups || id == kCmdExportSetups || id == kCmdImportSetups ||
           (id >= kCmdRecallSetup && id < kCmdRecallSetup + kMostSetupsInMenu) ||
           (id >= kCmdDeleteSetup && id < kCmdDeleteSetup + kMostSetupsInMenu);
}

void OnSetupsCommand(HWND window, unsigned id) {
    if (id == kCmdSaveSetupAs)
        SaveAs(window);
    else if (id == kCmdMoreSetups)
        ChooseFromAll(window);
    else if (id == kCmdExportSetups)
        ExportSetupsFromMenu(window);
    else if (id == kCmdImportSetups)
        ImportSetupsFromMenu(window);
    else if (id >= kCmdRecallSetup && id - kCmdRecallSetup < listed.size())
        Recall(window, listed[id - kCmdRecallSetup]);
    else if (id >= kCmdDeleteSetup && id - kCmdDeleteSetup < listed.size())
        AskToDeleteSetup(window, listed[id - kCmdDeleteSetup]);
}
