// How the panel logic talks to its controls. The Windows build sends the
// toggles and digit fields their messages; the native tests install a fake
// that remembers states. Portable: no windows.h here.
#pragma once

#include <cstdint>

#include "panel/card_panel.h"

class PanelControls {
public:
    virtual ~PanelControls() = default;
    // A toggle's check state: 1 checked, 0 otherwise.
    virtual int32_t GetCheck(ControlHandle toggle) = 0;
    // 0 unchecks, 1 checks; the toggle redraws and notifies no one. Any
    // other value leaves the state as it is.
    virtual void SetCheck(ControlHandle toggle, int32_t state) = 0;
    // A digit field's value.
    virtual int32_t GetPosition(ControlHandle field) = 0;
    // Sets a digit field's value; the field wraps it into its range.
    virtual void SetPosition(ControlHandle field, int32_t value) = 0;
};

// Installed once at start; null puts back the default, which reads every
// control as 0 and changes nothing.
void SetPanelControls(PanelControls* controls);
PanelControls& CurrentPanelControls();
// Whether controls other than the default are installed.
bool PanelControlsInstalled();
