#!/usr/bin/env bash
# A standby of the machine under the desk on simulated cards. Two cards are
# set away from their defaults with real clicks and card 0's generator runs; the two
# messages Windows sends before a standby go to every top-level window of the
# desk's process, and the simulated cards lose power: the state file shows
# them on their power-on state. Then the two messages after a standby: every
# card holds its settings from before again, set once, the generator is
# stopped, the start toggle agrees, and nothing is written to the registry.
#   tests/e2e/standby.sh BIN_FOLDER [desk-sim.exe|desk.exe]   (inside a Wine session)
set -euo pipefail
BIN="$(cd "$1" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/lib/desk.sh"
work="$(mktemp -d)"
at_exit 'rm -rf "$work"'
use_program "${2:-}"
state="$work/state"
trace="$work/trace"

settings=("digital input" "fs mode" "clock source" "routing" "sample rate" "last rate byte")
power_on_words="0x0000 0x0000 0x0000 0x0000"

# settings_of CARD: the card's decoded settings, one line.
settings_of() {
  local key line=""
  for key in "${settings[@]}"; do line+="$key=$(card_field "$state" "$1" "$key"); "; done
  echo "$line"
}

probe delete-key

echo "== two cards set away from their defaults, the generator running"
start_desk --cards 2 --no-monitor --trace "$trace" --state "$state"
click_tray
wait_visible 1
click_control 0 18 58      # coaxial input
click_control 0 18 133     # 256 fs
click_control 0 18 193     # word clock
click_control 0 288 88     # routing set B, row 2
click_control 0 197 165    # 48000 Hz
click_control 1 18 177     # column 1: clock from the digital input
click_control 1 197 149    # column 1: 44100 Hz
click_control 1 197 104    # column 1: routing set A, row 3
click_control 0 197 198    # show the timecode row
expect_soon "window height with the timecode row" 379 window_height
click_control 0 269 280    # start
wait_card_field "$state" 0 generator running
wait_card_field "$state" 1 "routing set A" "output pair 7-8"
before=("$(settings_of 0)" "$(settings_of 1)")
record0="1 0 1 2 0 0 0 1 0 0 0 0 1 0 0 2 0"
record1="0 1 0 1 0 0 0 0 0 1 0 0 0 0 0 1 0"
expect_eq "Mixer20 as clicked" "$(probe record 0)" "$record0"
expect_eq "Mixer21 as clicked" "$(probe record 1)" "$record1"

echo "== before the standby: the question and the notice, to every window"
probe delete-key
expect_eq "answers to the query and the suspend" "$(probe power query-suspend suspend)" "1 1"
expect_eq "Mixer20 stored at the suspend" "$(probe record 0)" "$record0"
expect_eq "Mixer21 stored at the suspend" "$(probe record 1)" "$record1"
for card in 0 1; do
  wait_card_field "$state" "$card" "control words" "$power_on_words"
  expect_eq "card $card unit lock" "$(card_field "$state" "$card" "unit lock")" unlocked
  expect_eq "card $card last rate byte" "$(card_field "$state" "$card" "last rate byte")" none
  grep -q "^$card # power lost" "$trace" || fail "the trace does not mark card $card's power loss"
done
expect_eq "card 0 generator" "$(card_field "$state" 0 generator)" stopped

echo "== after the standby: both resume events, the cards set once"
probe delete-key
lines_before_resume=$(wc -l < "$trace")
expect_eq "answers to the resumes" "$(probe power resume-automatic resume-suspend)" "1 1"
for card in 0 1; do expect_soon "card $card settings" "${before[$card]}" settings_of "$card"; done
expect_eq "card 0 generator" "$(card_field "$state" 0 generator)" stopped
expect_eq "card 0 unit lock count" "$(card_field "$state" 0 "unit lock count")" 0
expect_eq "start toggle" "$(checked 0 2144)" 0
expect_eq "column 0 coaxial shown" "$(checked 0 2048)" 1
expect_eq "column 0 set B row 2 shown" "$(checked 0 2210)" 1
expect_eq "column 1 44100 shown" "$(checked 1 2129)" 1
expect_eq "the timecode row stays open" "$(window_height)" 379
expect_eq "nothing written at the resume" "$(probe record 0)" missing
# One resume of the two sent the cards their settings: one rate byte each.
rate_bytes=$(tail -n +"$((lines_before_resume + 1))" "$trace" | grep -c '^[01] # unit rate' || true)
expect_eq "rate bytes sent at the resume" "$rate_bytes" 2

stop_desk
echo "standby: all checks passed"
