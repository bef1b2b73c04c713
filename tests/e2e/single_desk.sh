#!/usr/bin/env bash
# One desk at a time: a second start of the simulated desk shows the running
# desk's panel, as a click on its tray icon does, and ends with exit code 0
# before it touches a card, a trace or the registry; the real desk does not
# count as a simulated one.
#   tests/e2e/single_desk.sh BIN_FOLDER   (inside a Wine session)
set -euo pipefail
BIN="$(cd "$1" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/lib/desk.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

probe delete-key
start_desk --cards 2 --no-monitor --trace "$work/first.trace"
expect_eq "hidden at start" "$(probe visible)" 0
tray=$(tray_window)
tray_width() { xdotool getwindowgeometry --shell "$tray" | sed -n 's/^WIDTH=//p'; }
width=$(tray_width)
accesses=$(wc -l < "$work/first.trace")

# desk.exe is another kind of desk: it goes its own way (no driver here, so
# it ends at once) and leaves the simulated desk's panel alone.
status=0
wine "$BIN/desk.exe" || status=$?
expect_eq "desk.exe exit code" "$status" 0
expect_eq "the simulated desk stays hidden" "$(probe visible)" 0

status=0
timeout 60 wine "$BIN/desk-sim.exe" --cards 2 --no-monitor --trace "$work/second.trace" || status=$?
expect_eq "second start's exit code" "$status" 0
wait_visible 1
echo "ok: the first desk's panel is shown"
expect_eq "desk windows" "$(probe desk-windows)" 1
expect_eq "tray width (one icon)" "$(tray_width)" "$width"
[ ! -e "$work/second.trace" ] || fail "the second start opened a trace"
expect_eq "the first card's register accesses" "$(wc -l < "$work/first.trace")" "$accesses"
expect_eq "the registry after the second start" "$(probe record 0)" missing

stop_desk
echo "single desk: all checks passed"
