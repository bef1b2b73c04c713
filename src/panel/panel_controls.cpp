#include "panel/panel_controls.h"

namespace {

// Stands in until the real controls are installed, so a handler never goes
// through a null interface.
class NoPanelControls : public PanelControls {
public:
    int32_t GetCheck(ControlHandle) override { return 0; }
    void SetCheck(ControlHandle, int32_t) override {}
    int32_t GetPosition(ControlHandle) override { return 0; }
    void SetPosition(ControlHandle, int32_t) override {}
};

NoPanelControls noControls;
PanelControls* installedControls = &noControls;

}  // namespace

void SetPanelControls(PanelControls* controls) { installedControls = controls != nullptr ? controls : &noControls; }

PanelControls& CurrentPanelControls() { return *installedControls; }

bool PanelControlsInstalled() { return installedControls != &noControls; }
