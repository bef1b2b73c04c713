#!/usr/bin/env bash
# Named setups as a person uses them: two simulated cards set away from
# their defaults with real clicks are saved through the menu's "Save Current
# Settings As..." dialog, typed into with real keys (and saved again over
# the same name, which asks first); two cards are changed by clicks; a
# second start with --setup hands the recall to the running desk, which sets
# both cards back and stores their records; an unknown name ends with exit
# code 2 and changes nothing; and with no desk running, --setup starts the
# desk and recalls the setup after the start's restore. Then the setups go
# to a file and back, with --export-setups and --import-setups (and a file
# that cannot be used is refused, naming its line), and through the Setups
# menu's Export and Import items and the common dialogs.
#   tests/e2e/setups.sh BIN_FOLDER [desk-sim.exe|desk.exe]   (inside a Wine session)
set -euo pipefail
BIN="$(cd "$1" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/lib/desk.sh"
work="$(mktemp -d)"
at_exit 'rm -rf "$work"'
use_program "${2:-}"
state="$work/state"

settings_of() {  # settings_of CARD: the settings a setup holds, decoded by the card
  local key line=""
  for key in "clock source" "sample rate" "routing"; do line+="$key=$(card_field "$state" "$1" "$key"); "; done
  echo "$line"
}
# second_start ARGS...: the program started again beside the running one;
# prints its exit code.
second_start() {
  local status=0
  run_program --timeout 120 "$@" 2>"$work/second.err" || status=$?
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

echo "== setups to a file and back from the command line, with no desk running"
file="$work/setups.txt"
# file_option ARGS...: the program with a setups file option; prints its
# exit code, its words in $work/file.out.
file_option() {
  local status=0
  run_program --timeout 120 "$@" >"$work/file.out" 2>&1 || status=$?
  echo "$status"
}
expect_eq "export exit code" "$(file_option --export-setups "$(winepath -w "$file")")" 0
grep -q 'Exported 1 setup' "$work/file.out" || fail "the export did not say so: $(cat "$work/file.out")"
expect_eq "the file's first line" "$(head -1 "$file")" $'TaraDock-20 Control Desk setups, format 1\r'
grep -q $'^card 1 clock source = word clock\r$' "$file" || fail "no line for card 1's clock source: $(cat "$file")"
probe delete-key
expect_eq "import exit code" "$(file_option --import-setups "$(winepath -w "$file")")" 0
grep -q 'New: "Video Post"' "$work/file.out" || fail "the import did not say so: $(cat "$work/file.out")"
expect_eq "the imported setup's card 0" "$(probe setup-record "Video Post" 0)" "$record0"
expect_eq "the imported setup's card 1" "$(probe setup-record "Video Post" 1)" "$record1"
sed 's/^card 2 sample rate = .*/card 2 sample rate = 96000\r/' "$file" >"$work/bad.txt"
sed -i 's/^card 1 clock source = .*/card 1 clock source = internal\r/' "$work/bad.txt"
expect_eq "bad file exit code" "$(file_option --import-setups "$(winepath -w "$work/bad.txt")")" 2
grep -q "^$PROGRAM: Nothing was imported from"' .*Line [0-9]*: "card 2 sample rate" cannot be "96000"' \
  "$work/file.out" || fail "the refusal did not name the line: $(cat "$work/file.out")"
expect_eq "card 0 after the bad file" "$(probe setup-record "Video Post" 0)" "$record0"

echo "== the same through the Setups menu and the common dialogs"
# through_menu KEY TITLE: the Setups submenu's item of mnemonic KEY, with
# real keys; the file typed into its common dialog TITLE, then the desk's
# word on what it did answered.
through_menu() {
  click_control 0 170 240 3
  xdotool key s "$1"
  expect_soon "the dialog \"$2\"" 1 windows_named "$2"
  xdotool type --delay 20 "$(winepath -w "$file")"
  xdotool key Return
  expect_soon "the desk's word after \"$2\"" 1 windows_named "TaraDock-20 Control Desk"
  xdotool key Return
}
start_desk --cards 2 --no-monitor --state "$state"
click_tray
wait_visible 1
rm -f "$file"
through_menu e "Export Setups"
expect_eq "the exported file's card 1 clock source" "$(grep -c $'^card 1 clock source = word clock\r$' "$file")" 1
probe delete-key
through_menu i "Import Setups"
expect_soon "the setup imported through the menu" "$record1" probe setup-record "Video Post" 1
stop_desk
probe delete-key
echo "setups: all checks passed"
