#include "app/setups_transfer_win32.h"

#include <commdlg.h>

#include <string>

#include "settings/setups_transfer.h"
#include "win32/console_report_win32.h"
#include "win32/system_function_win32.h"

namespace {

const char kCaption[] = "TaraDock-20 Control Desk";

using FileDialog = BOOL(WINAPI*)(LPOPENFILENAMEA);

// The common dialogs' library is loaded the first time a file is asked for,
// not at every start: the desk sits in the tray all day and most users never
// export, and the library brings the print spooler's with it.
FileDialog FindFileDialog(bool save) {
    static const HMODULE library = LoadLibraryA("comdlg32.dll");
    return SystemFunction<FileDialog>(library, save ? "GetSaveFileNameA" : "GetOpenFileNameA");
}

// The common Save or Open dialog; false when the user cancels.
bool AskForFile(HWND window, bool save, std::string* path) {
    char file[MAX_PATH] = "";
    if (save) lstrcpynA(file, "TaraDock-20 Setups.txt", sizeof file);
    OPENFILENAMEA dialog = {};
    // The size Windows 95, 98 and NT 4 know; the longer one of later
    // versions fails there.
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = "Setups (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrDefExt = "txt";
    dialog.lpstrTitle = save ? "Export Setups" : "Import Setups";
    dialog.Flags =
        OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const FileDialog show = FindFileDialog(save);
    if (show == nullptr || !show(&dialog)) return false;
    *path = file;
    return true;
}

void Tell(HWND window, const TransferResult& result) {
    MessageBoxA(window, result.message.c_str(), kCaption, MB_OK | (result.done ? MB_ICONINFORMATION : MB_ICONERROR));
}

// Yes: replace the setups the desk has of those names; No: only new ones.
int AskAboutExisting(HWND window, const SetupsToImport& import) {
    std::string question = "The desk has setups of these names already:\n\n";
    for (const std::string& name : import.existing) question += "    " + name + "\n";
    question +=
        "\nYes replaces them with the file's, No imports only the setups of new names, Cancel imports "
        "nothing.";
    return MessageBoxA(window, question.c_str(), kCaption, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
}

void Report(const char* program, const TransferResult& result) {
    ReportText(result.done ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE, std::string(program) + ": " + result.message + "\n",
               result.message, kCaption, result.done ? MB_ICONINFORMATION : MB_ICONERROR);
}

}  // namespace

int RunSetupsFileOption(const char* program, const RegistryKeyPlace& place, const DeskOptions& options) {
    if (options.setupsFileAction == SetupsFileAction::None) return -1;
    RegistrySettingsKey key(place);
    SettingsKey* before = CurrentSettingsKey();
    SetSettingsKey(&key);
    TransferResult result = {false, ""};
    if (options.setupsFileAction == SetupsFileAction::Export) {
        result = ExportSetups(options.setupsFile);
    } else {
        SetupsToImport import;
        if (ReadSetupsToImport(options.setupsFile, &import, &result.message))
            result = StoreImportedSetups(import, true);
    }
    SetSettingsKey(before);
    Report(program, result);
    return result.done ? 0 : 2;
}

void ExportSetupsFromMenu(HWND window) {
    std::string path;
    if (AskForFile(window, true, &path)) Tell(window, ExportSetups(path));
}

void ImportSetupsFromMenu(HWND window) {
    std::string path;
    if (!AskForFile(window, false, &path)) return;
    SetupsToImport import;
    std::string problem;
    if (!ReadSetupsToImport(path, &import, &problem)) {
        Tell(window, {false, problem});
        return;
    }
    const int answer = import.existing.empty() ? IDYES : AskAboutExisting(window, import);
    if (answer != IDCANCEL) Tell(window, StoreImportedSetups(import, answer == IDYES));
}
