// The panel's controls without Windows: toggles and digit fields are made-up
// handles (the control's id as a pointer), their states live in maps, and
// every call is recorded. Clicks go through RoutePanelCommand as the main
// window would pass them on.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "panel/card_panel.h"
#include "panel/card_panel_layout.h"
#include "panel/desk_window.h"
#include "panel/panel_controls.h"
#include "panel/panel_logic.h"

namespace panel_test {

inline ControlHandle HandleOf(uint16_t id) { return reinterpret_cast<ControlHandle>(static_cast<uintptr_t>(id)); }
inline uint16_t IdOf(ControlHandle handle) { return static_cast<uint16_t>(reinterpret_cast<uintptr_t>(handle)); }

// Gives every kept control of `column` its made-up handle.
inline void InstallFakePanel(int32_t column) {
    CardPanel& panel = *PanelAt(column);
    panel = CardPanel{};
    panel.card = column;
    const PanelControlRow* rows = PanelLayoutRows();
    for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
        if (ControlHandle* slot = PanelFieldSlot(panel, rows[i].field, rows[i].index)) {
            *slot = HandleOf(LayoutControlId(rows[i], column));
        }
    }
}

// Every handle the column keeps.
inline std::set<ControlHandle> PanelHandles(int32_t column) {
    std::set<ControlHandle> handles;
    CardPanel& panel = *PanelAt(column);
    const PanelControlRow* rows = PanelLayoutRows();
    for (size_t i = 0; i < PanelLayoutRowCount(); ++i) {
        if (ControlHandle* slot = PanelFieldSlot(panel, rows[i].field, rows[i].index)) {
            handles.insert(*slot);
        }
    }
    return handles;
}

// The desk's main window as the panel logic sees it: the form it was last
// given, and every request.
class FakeDeskWindow : public DeskWindow {
public:
    // Client height of the main window in its two forms.
    static constexpr int kShortClient = 254;
    static constexpr int kTallClient = 354;

    std::vector<bool> rowShownCalls;
    int clientHeight = kShortClient;

    void ShowTimecodeRow(bool shown) override {
        rowShownCalls.push_back(shown);
        clientHeight = shown ? kTallClient : kShortClient;
    }
};

class FakePanelControls : public PanelControls {
public:
    std::map<ControlHandle, int32_t> checks;
    std::map<ControlHandle, int32_t> positions;
    std::vector<std::pair<ControlHandle, int32_t>> setChecks;
    std::vector<std::pair<ControlHandle, int32_t>> setPositions;

    int32_t GetCheck(ControlHandle toggle) override {
        auto it = checks.find(toggle);
        return it != checks.end() && it->second == 1 ? 1 : 0;
    }
    // As the toggle: 0 and 1 set the state, anything else leaves it.
    void SetCheck(ControlHandle toggle, int32_t state) override {
        setChecks.emplace_back(toggle, state);
        if (state == 0 || state == 1) {
            checks[toggle] = state;
        }
    }
    int32_t GetPosition(ControlHandle field) override {
        auto it = positions.find(field);
        return it != positions.end() ? it->second : 0;
    }
    void SetPosition(ControlHandle field, int32_t value) override {
        setPositions.emplace_back(field, value);
        positions[field] = value;
    }

    bool Checked(ControlHandle toggle) { return GetCheck(toggle) == 1; }

    // A left press: the toggle flips first, then its command (code 1) arrives.
    void LeftClick(ControlHandle toggle) {
        checks[toggle] = GetCheck(toggle) == 1 ? 0 : 1;
        RoutePanelCommand(IdOf(toggle) | (1u << 16), IdOf(toggle));
    }
    // A right release: the state stays, the command carries code 2.
    void RightClick(ControlHandle toggle) { RoutePanelCommand(IdOf(toggle) | (2u << 16), IdOf(toggle)); }
};

}  // namespace panel_test
