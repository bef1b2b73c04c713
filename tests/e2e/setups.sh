#!/usr/bin/env bash
# Named setups as a person uses them: two simulated cards set away from
# their defaults with real clicks are saved through the menu's "Save Current
# Settings As..." dialog, typed into with real keys (and saved again over
# the same name, which asks first); two cards are changed by clicks; a
# second start with --setup hands the recall to the running desk, which sets
# both cards back and stores their records; an unknown name ends with exit
# code 2 and changes nothing; and with no desk running, --setup starts the
# desk and recalls the setup after the start's restore.
#   tests/e2e/setups.sh BIN_FOLDER   (inside a Wine session)
set -euo pipefail
BIN="$(cd "$1" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/lib/desk.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
state="$work/state"

settings_of() {  # settings_of CARD: the settings a setup holds, decoded by the card
  local key line=""
  for key in "clock source" "sample rate" "routing"; do line+="$key=$(card_field "$state" "$1" "$key"); "; done
  echo "$line"
}
# second_start ARGS...: desk-sim.exe started again beside the running one;
# prints its exit code.
second_start() {
  local status=0
  timeout 120 wine "$BIN/desk-sim.exe" "$@" 2>"$work/second.err" || status=$?
  echo "$status"
}

probe delete-key

echo "== two cards set away from their defaults, saved as \"Video Post\""
start_desk --cards 2 --no-monitor --state "$state"
click_tray
wait_visible 1
click_control 0 18 193     # column 0: word clock
click_control 0 197 165    # column 0: 48000 Hz
click_control 1 288 104    # column 1: routing set B, row 3
click_control 1 312 129    # column 1: automatic rate
wait_card_field "$state" 1 "routing set B" "output pair 7-8"
saved=("$(settings_of 0)" "$(settings_of 1)")
record0="$(probe record 0)"
record1="$(probe record 1)"

choose_from_menu 0 s 0     # Setups: Save Current Settings As...
expect_soon "the name dialog" 1 windows_named "Save Current Settings As"
xdotool type --delay 20 "Video Post"
xdotool key Return
expect_soon "the saved setup's card 0" "$record0" probe setup-record "Video Post" 0
expect_eq "the saved setup's card 1" "$(probe setup-record "Video Post" 1)" "$record1"

echo "== saved again over the same name: asked first"
click_control 0 18 133     # column 0: 256 fs
choose_from_menu 0 s 0
expect_soon "the name dialog, with the last name" 1 windows_named "Save Current Settings As"
xdotool key Return         # the name the dialog offers: "Video Post"
expect_soon "the question before replacing" 1 windows_named "TaraDock-20 Control Desk"
xdotool key Return         # Yes
expect_soon "the replaced setup's card 0" "$(probe record 0)" probe setup-record "Video Post" 0
click_control 0 18 117     # column 0: back to fs
expect_soon "column 0 fs" 1 checked 0 2064
choose_from_menu 0 s 0
expect_soon "the name dialog again" 1 windows_named "Save Current Settings As"
xdotool key Return
expect_soon "the question again" 1 windows_named "TaraDock-20 Control Desk"
xdotool key Return
expect_soon "the setup as first saved" "$record0" probe setup-record "Video Post" 0

echo "== two cards changed by clicks, then the setup recalled from a second start"
click_control 0 18 161     # column 0: internal clock
click_control 1 18 177     # column 1: digital input clock
click_control 1 197 133    # column 1: 32000 Hz
wait_card_field "$state" 1 "clock source" "digital input"
expect_eq "recall exit code" "$(second_start --setup "video post")" 0
expect_soon "card 0 after the recall" "${saved[0]}" settings_of 0
expect_soon "card 1 after the recall" "${saved[1]}" settings_of 1
expect_eq "Mixer20 stored" "$(probe record 0)" "$record0"
expect_eq "Mixer21 stored" "$(probe record 1)" "$record1"
expect_eq "column 0 word clock shown" "$(checked 0 2082)" 1
expect_eq "column 1 auto shown" "$(checked 1 2131)" 1

echo "== an unknown setup: exit code 2, nothing changed"
click_control 0 18 161     # column 0: internal clock
wait_card_field "$state" 0 "clock source" "internal"
changed0="$(probe record 0)"
expect_eq "unknown setup exit code" "$(second_start --setup "No Such Setup")" 2
grep -q 'There is no setup named "No Such Setup". Nothing was changed.' "$work/second.err" ||
  fail "the second start did not say why: $(cat "$work/second.err")"
expect_eq "card 0 clock source" "$(card_field "$state" 0 "clock source")" internal
expect_eq "Mixer20 unchanged" "$(probe record 0)" "$changed0"
stop_desk

echo "== no desk running: --setup starts the desk and recalls the setup"
start_desk --cards 2 --no-monitor --state "$state" --setup "Video Post"
expect_soon "card 0 after the start" "${saved[0]}" settings_of 0
expect_soon "card 1 after the start" "${saved[1]}" settings_of 1
expect_eq "hidden: the start recalls without showing" "$(probe visible)" 0
stop_desk
expect_eq "Mixer20 after the recalling start" "$(probe record 0)" "$record0"
probe delete-key
echo "setups: all checks passed"
