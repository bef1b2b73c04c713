// The real desk built inside a test program: simulated cards behind the
// simulated driver, the toolkit's classes and the main window created as the
// desk's start-up creates them, with this thread's message pump standing in
// for the desk's loop. One desk at a time per process.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "card/unit_link.h"
#include "panel/card_panel.h"
#include "settings/settings_store.h"
#include "sim/sim_driver_link.h"

namespace wintest {

// A millisecond clock that moves on 32 ms at every reading, so the unit's
// settle waits end at once: a soak or fuzz run can click the generator's
// start toggle freely without spending 32 ms of real time per lock.
class LeapingClock : public MillisecondClock {
public:
    uint32_t Now() override { return now_ += 32; }

private:
    uint32_t now_ = 0;
};

enum class PanelControlKind { kToggle, kDigitField, kStatic };

struct PanelControl {
    HWND window;
    int column;
    uint16_t baseId;  // 0 for static bitmaps
    PanelControlKind kind;
    int maximum;  // digit fields: the largest value
};

class InProcessDesk {
public:
    // `answering`: bit i set when driver index i answers. `key` and `clock`
    // must outlive the desk; a null clock keeps the multimedia timer.
    InProcessDesk(unsigned answering, SettingsKey* key, MillisecondClock* clock);
    ~InProcessDesk();
    InProcessDesk(const InProcessDesk&) = delete;
    InProcessDesk& operator=(const InProcessDesk&) = delete;

    // The simulated driver, before Start() for faults and block set-up.
    SimDriverLink& driver() { return *driver_; }

    // Discovers the cards (restoring the records), registers the classes and
    // creates the main window. False when no card answers or the window
    // cannot be made.
    bool Start();
    // Destroys the window, drops the quit message it posts, unregisters the
    // classes, saves the records and forgets the cards, as the desk's end.
    void Stop();

    HWND window() const { return window_; }
    int cardCount() const;
    // Every control of every column, in layout order.
    const std::vector<PanelControl>& controls() const { return controls_; }
    HWND Control(int column, uint16_t baseId) const;

private:
    std::unique_ptr<SimDriverLink> driver_;
    SettingsKey* key_;
    MillisecondClock* clock_;
    HWND window_ = nullptr;
    bool started_ = false;
    std::vector<PanelControl> controls_;
};

// Dispatches the posted and sent messages waiting for this thread, leaving
// paints for later: for long runs that need the notifications to arrive but
// not every repaint of the whole window. Returns how many there were.
int PumpPostedMessages();

// Posts a left click (press and release) or a right release to a control,
// as the mouse would, and dispatches everything that follows.
void LeftClick(HWND control);
void RightClick(HWND control);

}  // namespace wintest
