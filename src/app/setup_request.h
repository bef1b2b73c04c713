// A setup recalled or saved on request (the Setups menu, or --setup and
// --save-setup on the command line, carried out here or by the running
// desk), what became of it as one number a running desk hands back to a
// second start, and as a sentence for the user. Portable: no windows.h here.
#pragma once

#include <cstdint>
#include <string>

#include "app/desk_options.h"

enum class SetupOutcome : int32_t {
    Done = 0,
    Unknown = 1,
    BadRecord = 2,
    NotStored = 3,
    BadRequest = 4,
    NoAnswer = 5,  // the running desk could not be reached, or did not take the request
    OldKept = 6,   // not stored; the setup it was to replace is as it was
};

struct SetupResult {
    SetupOutcome outcome;
    int32_t badColumn;  // with BadRecord: the card whose record cannot be used; otherwise -1
};

// Recalls or saves the setup `name`; a done request makes it the last setup.
SetupResult CarryOutSetupRequest(SetupAction action, const std::string& name);

// What a request would come to, changing nothing: a recall of an unknown
// setup or of one that would be refused is told so; anything else is Done.
SetupResult CheckSetupRequest(SetupAction action, const std::string& name);

// The setup last saved or recalled in this run, or "" (none, or deleted).
const std::string& LastSetup();
// Forgets `name` as the last setup once it is deleted.
void ForgetLastSetup(const std::string& name);

// As one number, and back. A number without the desk's mark (0 from a window
// that ignores the request) reads as no answer, an unknown one with it as a
// bad request.
int32_t EncodeSetupResult(const SetupResult& result);
SetupResult DecodeSetupResult(int32_t code);

// What the user is told: a sentence (with its full stop) for a request that
// was not done, "" for one that was.
std::string SetupResultText(SetupAction action, const std::string& name, const SetupResult& result);
