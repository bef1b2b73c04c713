#include "app/setup_request.h"

#include "panel/setup_recall.h"
#include "settings/setup_name.h"
#include "settings/setups_store.h"

namespace {

std::string lastSetup;

SetupResult ResultOf(const SetupLoadResult& loaded) {
    switch (loaded.outcome) {
    case SetupLoad::Loaded: return {SetupOutcome::Done, -1};
    case SetupLoad::Unknown: return {SetupOutcome::Unknown, -1};
    case SetupLoad::BadRecord: break;
    }
    return {SetupOutcome::BadRecord, loaded.badColumn};
}

SetupOutcome SaveOutcome(SetupSave saved) {
    switch (saved) {
    case SetupSave::Stored: return SetupOutcome::Done;
    case SetupSave::OldKept: return SetupOutcome::OldKept;
    case SetupSave::NotStored: break;
    }
    return SetupOutcome::NotStored;
}

// Every answer of a running desk carries this mark in its upper half: a
// window that ignores the request answers 0, which must not read as done.
constexpr int32_t kAnswerMark = 0x54440000;  // "TD"

}  // namespace

SetupResult CarryOutSetupRequest(SetupAction action, const std::string& name) {
    if (SetupNameProblem(name) != nullptr) return {SetupOutcome::BadRequest, -1};
    SetupResult result = {SetupOutcome::BadRequest, -1};
    if (action == SetupAction::Recall)
        result = ResultOf(RecallSetup(name));
    else if (action == SetupAction::Save)
        result = {SaveOutcome(SaveSetup(name)), -1};
    if (result.outcome == SetupOutcome::Done) lastSetup = FindSetup(name);
    return result;
}

SetupResult CheckSetupRequest(SetupAction action, const std::string& name) {
    if (action != SetupAction::Recall) return {SetupOutcome::Done, -1};
    SetupRecords setup;
    return ResultOf(LoadSetup(name, &setup));
}

const std::string& LastSetup() { return lastSetup; }

void ForgetLastSetup(const std::string& name) {
    if (SameSetupName(name, lastSetup)) lastSetup.clear();
}

int32_t EncodeSetupResult(const SetupResult& result) {
    const int32_t column = result.outcome == SetupOutcome::BadRecord ? result.badColumn : 0;
    return kAnswerMark | (column << 8) | static_cast<int32_t>(result.outcome);
}

SetupResult DecodeSetupResult(int32_t code) {
    if ((code & ~0xFFFF) != kAnswerMark) return {SetupOutcome::NoAnswer, -1};
    const int32_t outcome = code & 0xFF;
    const int32_t column = (code >> 8) & 0xFF;
    switch (outcome) {
    case 0: return {SetupOutcome::Done, -1};
    case 1: return {SetupOutcome::Unknown, -1};
    case 2: return {SetupOutcome::BadRecord, column};
    case 3: return {SetupOutcome::NotStored, -1};
    case 6: return {SetupOutcome::OldKept, -1};
    default: return {SetupOutcome::BadRequest, -1};
    }
}

std::string SetupResultText(SetupAction action, const std::string& name, const SetupResult& result) {
    const std::string quoted = "\"" + name + "\"";
    switch (result.outcome) {
    case SetupOutcome::Done: return "";
    case SetupOutcome::Unknown: return "There is no setup named " + quoted + ". Nothing was changed.";
    case SetupOutcome::BadRecord:
        return "The setup " + quoted + " was not applied: the settings it holds for card " +
               std::to_string(result.badColumn + 1) + " cannot be used. Nothing was changed.";
    case SetupOutcome::NotStored: return "The setup " + quoted + " could not be stored.";
    case SetupOutcome::OldKept:
        return "The setup " + quoted +
               " could not be stored. The setup saved before under that name is kept as it was.";
    case SetupOutcome::NoAnswer: return "The running desk did not answer the request for the setup " + quoted + ".";
    case SetupOutcome::BadRequest: break;
    }
    return std::string(action == SetupAction::Save ? "Saving" : "Recalling") + " the setup " + quoted +
           " was not understood. Nothing was changed.";
}
