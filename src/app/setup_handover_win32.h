// --setup and --save-setup between two starts of a desk: the second start
// hands its request to the running desk's main window with WM_COPYDATA
// (which Windows 98 has) and waits for it to be carried out; the running
// desk answers with what became of it.
#pragma once

#include <windows.h>

#include <string>

#include "app/desk_options.h"
#include "app/setup_request.h"

// The running desk's WM_COPYDATA: carries out the request it holds and
// answers with EncodeSetupResult.
LRESULT OnSetupCopyData(const COPYDATASTRUCT* data);

// The second start's side: what the running desk `running` made of the
// request (NoAnswer when it could not be reached or did not answer in time).
SetupResult HandSetupRequestTo(HWND running, SetupAction action, const std::string& name);

// Tells the user what became of a request that was not done: on the
// console, or in a message box when started without one.
void ReportSetupResult(const char* program, SetupAction action, const std::string& name, const SetupResult& result);

// What a second start does with its options once the running desk is found:
// hands a setup request over, shows the running desk's panel when asked to
// (or when it was started without a setup request, as a second start
// always did). The exit code: 0, or 2 for a request that was not done.
int HandOverToRunningDesk(HWND running, const char* program, const DeskOptions& options);
