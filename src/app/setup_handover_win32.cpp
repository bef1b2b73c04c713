#include "app/setup_handover_win32.h"

#include <cstring>

#include "app/single_desk_win32.h"
#include "settings/setup_name.h"
#include "win32/console_report_win32.h"

namespace {

// What a request's data says it is, in COPYDATASTRUCT::dwData.
constexpr ULONG_PTR kRecallTag = 0x54443252;  // "TD2R"
constexpr ULONG_PTR kSaveTag = 0x54443253;    // "TD2S"
// A recall sets every card, with its waits on the hardware; a card whose
// bridge is stuck takes seconds for each unit byte.
constexpr UINT kAnswerWithinMs = 120000;

}  // namespace

LRESULT OnSetupCopyData(const COPYDATASTRUCT* data) {
    const SetupResult bad = {SetupOutcome::BadRequest, -1};
    if (data == nullptr || data->lpData == nullptr || data->cbData < 2 || data->cbData > kSetupNameMost + 1)
        return EncodeSetupResult(bad);
    // The name and its one NUL, at the end: a name cut short by a NUL
    // inside it is not the name that was sent.
    const char* text = static_cast<const char*>(data->lpData);
    if (std::memchr(text, '\0', data->cbData) != text + data->cbData - 1) return EncodeSetupResult(bad);
    const SetupAction action = data->dwData == kRecallTag ? SetupAction::Recall
                               : data->dwData == kSaveTag ? SetupAction::Save
                                                          : SetupAction::None;
    if (action == SetupAction::None) return EncodeSetupResult(bad);
    return EncodeSetupResult(CarryOutSetupRequest(action, text));
}

SetupResult HandSetupRequestTo(HWND running, SetupAction action, const std::string& name) {
    COPYDATASTRUCT data = {};
    data.dwData = action == SetupAction::Recall ? kRecallTag : kSaveTag;
    data.cbData = static_cast<DWORD>(name.size() + 1);
    data.lpData = const_cast<char*>(name.c_str());
    DWORD_PTR answer = 0;
    if (running == nullptr || !SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                                   SMTO_ABORTIFHUNG, kAnswerWithinMs, &answer))
        return {SetupOutcome::NoAnswer, -1};
    return DecodeSetupResult(static_cast<int32_t>(answer));
}

void ReportSetupResult(const char* program, SetupAction action, const std::string& name, const SetupResult& result) {
    const std::string text = SetupResultText(action, name, result);
    ReportText(STD_ERROR_HANDLE, std::string(program) + ": " + text + "\n", text, "TaraDock-20 Control Desk",
               MB_ICONERROR);
}

int HandOverToRunningDesk(HWND running, const char* program, const DeskOptions& options) {
    int exitCode = 0;
    if (options.setupAction != SetupAction::None) {
        const SetupResult result = HandSetupRequestTo(running, options.setupAction, options.setupName);
        if (result.outcome != SetupOutcome::Done) {
            ReportSetupResult(program, options.setupAction, options.setupName, result);
            exitCode = 2;
        }
    }
    if (options.show || options.setupAction == SetupAction::None) ShowRunningDesk(running);
    return exitCode;
}
