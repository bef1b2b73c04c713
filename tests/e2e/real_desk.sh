#!/usr/bin/env bash
# What only desk.exe can show, on the card driver's stand-in: its own driver
# calls and register window. With the driver present and every index
# refused, it ends with exit code 0 and no window, or with --show says that
# no card was found. Then the same real clicks on desk.exe and on
# desk-sim.exe, on four cards and on one card between gaps, give the same
# register trace access by access, from the start's restore to the end; the
# register accesses each kind of click made on desk.exe are printed.
#   tests/e2e/real_desk.sh BIN_FOLDER   (inside a Wine session)
set -euo pipefail
BIN="$(cd "$1" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/lib/desk.sh"
work="$(mktemp -d)"
at_exit 'rm -rf "$work"'
use_program desk.exe

echo "== the driver present, every index refused"
probe delete-key
status=0
run_program --timeout 60 --cards 0 --trace "$work/none.trace" || status=$?
expect_eq "exit code with no card, a window would have kept it running" "$status" 0
[ -e "$work/none.trace" ] || fail "desk.exe did not load the stand-in"
expect_eq "register accesses with no card" "$(wc -l <"$work/none.trace")" 0
program_line --cards 0 --show
"${LINE[@]}" &
DESK_PID=$!
expect_soon "the no-card message" 1 windows_named "TaraDock-20 Control Desk"
expect_eq "desk windows beside the message" "$(probe desk-windows)" 0
xdotool search --name "^TaraDock-20 Control Desk\$" windowfocus --sync
xdotool key Return
wait_desk_end 30
expect_eq "the desk's key after the message" "$(probe key-exists)" 0

# A click: "COLUMN X Y|card field|what the card then shows".
clicks_on_four=(
  "0 18 58|digital input|coaxial"
  "1 18 133|fs mode|256 fs"
  "2 18 193|clock source|word clock"
  "3 288 88|routing set B|output pair 5-6"
  "3 312 62|routing|off"
  "0 197 165|sample rate|48000"
  "0 269 280|generator|running"
  "0 269 280|generator|stopped"
)
clicks_on_one=(
  "0 18 209|clock source|external unit"
  "0 197 149|sample rate|44100"
)

# traced_clicks PROGRAM CARD_OPTION VALUE CLICKS...: the clicks on a fresh
# start of PROGRAM, each waited for on the card; the trace is
# $work/PROGRAM.trace, and the accesses of each click go to
# $work/PROGRAM.counts.
traced_clicks() {
  use_program "$1"
  local cards=("$2" "$3") trace="$work/$1.trace" click column x y key value label lines before
  shift 3
  probe delete-key
  start_desk "${cards[@]}" --no-monitor --trace "$trace" --state "$work/state"
  click_tray
  wait_visible 1
  click_control 0 197 198  # the timecode row, which touches no card
  expect_soon "window height with the timecode row" 379 window_height
  before=0
  : >"$work/$PROGRAM.counts"
  for click in "" "$@"; do
    label="the start's restore"
    if [ -n "$click" ]; then
      IFS='|' read -r column key value <<<"$click"
      read -r column x y <<<"$column"
      click_control "$column" "$x" "$y"
      wait_card_field "$work/state" "$column" "$key" "$value"
      label="column $column $key: $value"
    fi
    # The desk sets the card within one message and the state file is
    # written between messages: the trace holds all of this click.
    lines=$(wc -l <"$trace")
    sed -n "$((before + 1)),${lines}p" "$trace" | awk -v what="$label" '$2 == "R" { r++ } $2 == "W" { w++ }
      END { printf "  %-40s %4d reads %4d writes\n", what, r, w }' >>"$work/$PROGRAM.counts"
    before=$lines
  done
  stop_desk
}

# same_trace CARD_OPTION VALUE CLICKS...: both programs, one trace.
same_trace() {
  traced_clicks desk-sim.exe "$@"
  traced_clicks desk.exe "$@"
  local sim="$work/desk-sim.exe.trace" desk="$work/desk.exe.trace"
  if ! cmp -s "$sim" "$desk"; then
    diff "$sim" "$desk" | head -20 >&2
    fail "desk.exe's register trace ($(wc -l <"$desk") lines) differs from desk-sim.exe's ($(wc -l <"$sim"))"
  fi
  echo "ok: the same register trace on both programs, $(grep -c '^[0-9] [RW] ' "$desk") accesses"
}

echo "== four cards: the same clicks, the same register trace"
same_trace --cards 4 "${clicks_on_four[@]}"
for column in 0 1 2 3; do
  grep -q "^$column W " "$work/desk.exe.trace" || fail "desk.exe wrote nothing to card $column"
done
echo "register accesses of each click on desk.exe (four cards):"
cat "$work/desk.exe.counts"

echo "== one card, at driver index 2 between two gaps"
same_trace --indices 2 "${clicks_on_one[@]}"
grep -q '^1 ' "$work/desk.exe.trace" && fail "desk.exe found a second card"
echo "real desk: all checks passed"
