#!/usr/bin/env bash
# The whole job, as a person does it: open the panel from the tray with a real
# click, click through inputs, clock sources, routing, rates and the timecode
# row of two simulated cards, set driver options from the menu (OK on the
# reboot question of desk-sim.exe restarts nothing; desk.exe's is cancelled),
# end the desk, and check what the cards were sent, what the desk's key holds
# (the other kind of desk's key is never touched), and that a second start
# restores it all and sends it to the cards again.
#   tests/e2e/panel_clicks.sh BIN_FOLDER [desk-sim.exe|desk.exe]   (inside a Wine session)
set -euo pipefail
BIN="$(cd "$1" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/lib/desk.sh"
work="$(mktemp -d)"
at_exit 'rm -rf "$work"'
use_program "${2:-}"

probe delete-key
other_key delete-key

echo "== first start: defaults, then clicks"
start_desk --cards 2 --no-monitor --trace "$work/first.trace" --state "$work/first.state"
expect_eq "hidden at start" "$(probe visible)" 0
click_tray
wait_visible 1

click_control 0 18 58      # coaxial input
expect_soon "column 0 coaxial" 1 checked 0 2048
# The press checks coaxial at once; the panel unchecks optical when the
# toggle's command is handled, a moment later.
expect_soon "column 0 optical" 0 checked 0 2049
click_control 0 18 133     # 256 fs
click_control 0 18 193     # word clock
click_control 0 288 88     # routing set B, row 2 (outputs 5-6)
click_control 0 197 165    # 48000 Hz
click_control 1 18 209     # column 1: clock from the external unit
click_control 1 312 129    # column 1: automatic rate
click_control 1 312 62     # column 1: routing off
click_control 1 288 56     # ...then a set B click changes nothing on the card

# Clicks are handled in the order they were made, so once a later click
# shows, every earlier one has been handled and what it left alone can be
# checked at once.
click_control 0 197 198    # show the timecode row
expect_soon "window height with the timecode row" 379 window_height
expect_eq "column 1 set B row 0 stays empty" "$(checked 1 2208)" 0
expect_eq "column 0 word clock" "$(checked 0 2082)" 1
expect_eq "column 0 internal" "$(checked 0 2080)" 0
expect_eq "column 1 follows show/hide" "$(checked 1 2112)" 1
click_control 1 197 198 3  # a right click re-runs the handler: the row stays open...
click_control 0 197 198    # ...so this click closes it
expect_soon "window height without the timecode row" 279 window_height

echo "== driver options from the menu, the reboot question answered"
choose_from_menu 0 g 1     # GigaSampler: Enable
expect_soon "GSIF" 1 probe option GSIF
choose_from_menu 0 d 2     # DirectSound: Select Wave 2
expect_soon "the reboot question" 1 windows_named "DSOUUND mode change"
if [ "$PROGRAM" = desk-sim.exe ]; then
  xdotool key Return       # OK
else
  xdotool key Escape       # Cancel: desk.exe's OK would end the Wine session
fi
expect_soon "the reboot question answered" 0 windows_named "DSOUUND mode change"
if [ "$PROGRAM" = desk-sim.exe ]; then
  expect_soon "the trace's note on the reboot" 1 \
    grep -c '^- # DirectSound 2: the real desk would restart Windows now' "$work/first.trace"
fi
expect_eq "DSOUND" "$(probe option DSOUND)" 2
expect_eq "the desk goes on" "$(probe visible)" 1

stop_desk
expect_eq "the other kind of desk's key after the run" "$(other_key key-exists)" 0

# The records as the clicks left them (slots 0..16).
expect_eq "Mixer20" "$(probe record 0)" "1 0 1 2 0 0 0 1 0 0 0 0 1 0 0 2 0"
expect_eq "Mixer21" "$(probe record 1)" "0 1 0 3 0 1 0 1 0 0 0 0 0 0 1 0 0"

# What the cards were set to, decoded by the simulated cards.
state_of() { awk -v card="card $1" '$0 == card {on=1; next} /^card [0-9]/ {on=0} on' "$2"; }
field() { state_of "$1" "$3" | sed -n "s/^$2: //p" | head -1; }
expect_eq "card 0 input" "$(field 0 'digital input' "$work/first.state")" coaxial
expect_eq "card 0 fs mode" "$(field 0 'fs mode' "$work/first.state")" "256 fs"
expect_eq "card 0 clock" "$(field 0 'clock source' "$work/first.state")" "word clock"
expect_eq "card 0 rate" "$(field 0 'sample rate' "$work/first.state")" "48000"
expect_eq "card 1 clock" "$(field 1 'clock source' "$work/first.state")" "external unit"
expect_eq "card 1 routing" "$(field 1 'routing' "$work/first.state")" "off"

echo "== second start: every card restored and sent its settings"
start_desk --cards 2 --no-monitor --trace "$work/second.trace" --state "$work/second.state"
expect_eq "column 0 coaxial restored" "$(probe check "$(control_id 0 2048)")" 1
expect_eq "column 0 256 fs restored" "$(probe check "$(control_id 0 2065)")" 1
expect_eq "column 0 word clock restored" "$(probe check "$(control_id 0 2082)")" 1
expect_eq "column 0 set B row 2 restored" "$(probe check "$(control_id 0 2210)")" 1
expect_eq "column 0 48000 restored" "$(probe check "$(control_id 0 2130)")" 1
expect_eq "column 1 unit clock restored" "$(probe check "$(control_id 1 2083)")" 1
expect_eq "column 1 auto restored" "$(probe check "$(control_id 1 2131)")" 1
expect_eq "routing off does not survive a restart" "$(probe check "$(control_id 1 2224)")" 0
expect_eq "column 1 set A row 1 routed again" "$(probe check "$(control_id 1 2193)")" 1
grep -q '^0 # word' "$work/second.trace" || fail "no control word reached card 0 at the restore"
grep -q '^1 # word' "$work/second.trace" || fail "no control word reached card 1 at the restore"

echo "== timecode: the generator runs and its MIDI Time Code shows in the fields"
click_tray
wait_visible 1
click_control 0 197 198    # show the timecode row
click_control 0 39 269     # hours 00 -> 01
click_control 0 82 326     # 25 frames
click_control 0 269 280    # start
wait_card_field "$work/second.state" 0 generator running
sleep 2
timecode="$(probe timecode 0)"
case "$timecode" in
  01:00:0[1-9]:*) echo "ok: the fields show the running time $timecode" ;;
  *) fail "the fields show $timecode, not the running time from 01:00:00:00" ;;
esac
click_control 0 269 280    # stop
# The click travels through X while a close would be posted straight into the
# desk's queue: wait until the card has seen the stop before ending the desk.
wait_card_field "$work/second.state" 0 generator stopped
stop_desk
expect_eq "card 0 generator after the stop" "$(field 0 'generator' "$work/second.state")" "stopped"
expect_eq "card 0 unit lock after the stop" "$(field 0 'unit lock' "$work/second.state")" "unlocked"
grep -q '^0 # unit start 01:00:00:00 mode 1' "$work/second.trace" || fail "the unit was not started at 01:00:00:00 in 25 frames"
echo "panel clicks: all checks passed"
