#include "app/setup_name_dialog_win32.h"

#include "resource.h"
#include "settings/setup_name.h"
#include "settings/setups_store.h"
#include "win32/dialog_state_win32.h"

namespace {

const char kCaption[] = "TaraDock-20 Control Desk";

struct NameDialog {
    std::string suggested;
    std::string chosen;
};

// OK: a name the setup may have, and, when a setup has it already, the
// user's word that it may be replaced.
bool TakeName(HWND dialog, NameDialog& state) {
    char text[kSetupNameMost + 2] = "";
    GetDlgItemTextA(dialog, IDC_SETUP_NAME, text, sizeof text);
    const std::string name = text;
    if (const char* problem = SetupNameProblem(name)) {
        std::string sentence = problem;
        sentence[0] = static_cast<char>(sentence[0] - 'a' + 'A');
        MessageBoxA(dialog, (sentence + ".").c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const std::string existing = FindSetup(name);
    if (!existing.empty()) {
        const std::string question = "A setup named \"" + existing + "\" exists. Replace it?";
        if (MessageBoxA(dialog, question.c_str(), kCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    }
    state.chosen = name;
    return true;
}

INT_PTR CALLBACK NameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    NameDialog* state = DialogState<NameDialog>(dialog, message, lParam);
    switch (message) {
    case WM_INITDIALOG:
        SendMessageA(GetDlgItem(dialog, IDC_SETUP_NAME), EM_LIMITTEXT, kSetupNameMost, 0);
        SetDlgItemTextA(dialog, IDC_SETUP_NAME, state->suggested.c_str());
        SendMessageA(GetDlgItem(dialog, IDC_SETUP_NAME), EM_SETSEL, 0, -1);
        return TRUE;  // the focus goes to the name
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && state != nullptr && TakeName(dialog, *state)) EndDialog(dialog, IDOK);
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

bool AskSetupName(HWND owner, const std::string& suggested, std::string* name) {
    NameDialog state = {suggested, ""};
    const INT_PTR answer = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SAVE_SETUP), owner,
                                           NameDialogProc, reinterpret_cast<LPARAM>(&state));
    if (answer != IDOK) return false;
    *name = state.chosen;
    return true;
}
