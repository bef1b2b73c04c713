#include "app/setups_list_dialog_win32.h"

#include <vector>

#include "app/setup_request.h"
#include "app/setups_menu_win32.h"
#include "resource.h"
#include "settings/setup_name.h"
#include "settings/setups_store.h"
#include "win32/dialog_state_win32.h"

namespace {

struct ListDialog {
    std::vector<std::string> names;  // as the list box shows them
    std::string chosen;
};

// Lists the setups as they are now, the selection on `selected` (or the
// last one, when fewer are left); Recall and Delete act on a selection.
void Fill(HWND dialog, ListDialog& state, size_t selected) {
    HWND list = GetDlgItem(dialog, IDC_SETUPS_LIST);
    state.names = ListSetups();
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : state.names)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    const bool any = !state.names.empty();
    if (any) SendMessageA(list, LB_SETCURSEL, selected < state.names.size() ? selected : state.names.size() - 1, 0);
    EnableWindow(GetDlgItem(dialog, IDOK), any);
    EnableWindow(GetDlgItem(dialog, IDC_DELETE_SETUP), any);
}

// Where the list holds `name`, or its first place.
size_t Place(const std::vector<std::string>& names, const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i)
        if (SameSetupName(names[i], name)) return i;
    return 0;
}

// The selected setup's place in the list, or the list's size for none.
size_t Selected(HWND dialog, const ListDialog& state) {
    const LRESULT index = SendMessageA(GetDlgItem(dialog, IDC_SETUPS_LIST), LB_GETCURSEL, 0, 0);
    return index >= 0 && static_cast<size_t>(index) < state.names.size() ? static_cast<size_t>(index)
                                                                         : state.names.size();
}

void OnCommand(HWND dialog, ListDialog& state, WPARAM wParam) {
    const size_t selected = Selected(dialog, state);
    const bool any = selected < state.names.size();
    const bool doubleClick = LOWORD(wParam) == IDC_SETUPS_LIST && HIWORD(wParam) == LBN_DBLCLK;
    if ((LOWORD(wParam) == IDOK || doubleClick) && any) {
        state.chosen = state.names[selected];
        EndDialog(dialog, IDOK);
    } else if (LOWORD(wParam) == IDC_DELETE_SETUP && any) {
        AskToDeleteSetup(dialog, state.names[selected]);
        Fill(dialog, state, selected);
    } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    }
}

INT_PTR CALLBACK ListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    ListDialog* state = DialogState<ListDialog>(dialog, message, lParam);
    switch (message) {
    case WM_INITDIALOG:
        Fill(dialog, *state, 0);
        SendMessageA(GetDlgItem(dialog, IDC_SETUPS_LIST), LB_SETCURSEL, Place(state->names, LastSetup()), 0);
        SetFocus(GetDlgItem(dialog, IDC_SETUPS_LIST));
        return FALSE;  // the focus is set
    case WM_COMMAND:
        if (state != nullptr) OnCommand(dialog, *state, wParam);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

bool ChooseSetupToRecall(HWND owner, std::string* name) {
    ListDialog state;
    const INT_PTR answer = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MORE_SETUPS), owner,
                                           ListDialogProc, reinterpret_cast<LPARAM>(&state));
    if (answer != IDOK) return false;
    *name = state.chosen;
    return true;
}
