#!/usr/bin/env bash
# The panel from the keyboard alone, with real key presses (xdotool): Tab
# from the panel's background to card 0's first control and on through the
# card in reading order, Space on a toggle, the arrows choosing within a
# group (clock source, routing set B, sample rate), Up in a digit field, the
# generator started and stopped with Space, Shift+F10 opening the options
# menu, Escape hiding the panel. The
# simulated card shows each change, and the stored record the clicks'.
#   tests/e2e/panel_keys.sh BIN_FOLDER [desk-sim.exe|desk.exe]   (inside a Wine session)
set -euo pipefail
BIN="$(cd "$1" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/lib/desk.sh"
work="$(mktemp -d)"
at_exit 'rm -rf "$work"'
use_program "${2:-}"
state="$work/state"

keys() { xdotool key --delay 60 "$@"; }
focused() { probe focus; }

probe delete-key
start_desk --cards 2 --no-monitor --state "$state"
click_tray
wait_visible 1
# With no window manager the keys go to the window under the pointer: the
# panel's background, where no control takes the focus by hovering.
read -r ox oy < <(probe origin)
xdotool mousemove $((ox + 170)) $((oy + 240))

echo "== Tab to the first control, Space on the coaxial input"
keys Tab
expect_soon "the focus" "$(control_id 0 2048)" focused
screenshot focus-toggle
keys space
wait_card_field "$state" 0 "digital input" coaxial

echo "== the clock source group: Tab to internal, then the arrows choose"
keys Tab Tab Tab Tab       # optical, fs, 256 fs, internal clock
expect_soon "the focus" "$(control_id 0 2080)" focused
keys Down Down             # digital input, word clock
wait_card_field "$state" 0 "clock source" "word clock"
expect_eq "internal clock" "$(checked 0 2080)" 0

echo "== routing set B: Tab past the clocks and set A, the arrows to row 2"
keys Tab Tab Tab Tab Tab Tab   # unit clock, set A rows 0 to 3, set B row 0
expect_soon "the focus" "$(control_id 0 2208)" focused
keys Down Down                 # set B rows 1 and 2, each chosen in turn
wait_card_field "$state" 0 "routing set B" "output pair 5-6"

echo "== the sample rate: 48000 Hz with the arrows"
keys Tab Tab Tab           # set B row 3, routing off, 32000 Hz
expect_soon "the focus" "$(control_id 0 2128)" focused
keys Down Down             # 44100, 48000
wait_card_field "$state" 0 "sample rate" 48000

echo "== the timecode row: shown, the hours counted up, the generator started and stopped"
keys Tab Tab space         # auto rate, show/hide: shown
expect_soon "window height with the timecode row" 379 window_height
keys Tab Up                # hours: 01
expect_soon "hours" 1 probe pos "$(control_id 0 2176)"
screenshot focus-digit-field
keys Tab Tab Tab Tab       # minutes, seconds, frames, start
expect_soon "the focus" "$(control_id 0 2144)" focused
keys space
wait_card_field "$state" 0 generator running
keys space
wait_card_field "$state" 0 generator stopped

echo "== Shift+F10 opens the options menu, Escape closes it; Escape again hides the panel"
keys shift+F10
expect_soon "the options menu" yes menu_open "$PROGRAM"
keys Escape
expect_soon "the options menu" no menu_open "$PROGRAM"
expect_eq "the panel after the menu" "$(probe visible)" 1
keys Escape
wait_visible 0
stop_desk
# coaxial, fs, word clock, set A row 1, set B row 2, 48000 Hz by hand, 24 frames
expect_eq "Mixer20" "$(probe record 0)" "1 0 0 2 0 0 0 1 0 0 0 0 1 0 0 2 0"
echo "panel keys: all checks passed"
