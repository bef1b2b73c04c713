#!/usr/bin/env bash
# The control gallery's value controls with the real pointer: drag the
# vertical slider and watch the digit display follow, drag the horizontal
# slider, turn the knob, and turn the wheel over each, checked through the
# gallery's --events log, its --draw-trace log and the controls' values.
#   tests/e2e/gallery_values.sh BIN_FOLDER   (inside a Wine session)
set -euo pipefail
BIN="$(cd "$1" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/lib/desk.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib/gallery.sh"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

traced() {  # traced LINE: waits until the drawing trace holds LINE
  for _ in $(seq 1 50); do
    drawn | grep -qFx "$1" && { echo "ok: drawn '$1'"; return 0; }
    sleep 0.2
  done
  fail "never drawn: '$1'"
}

start_gallery
traced "Kiv_DrawDigit 359=359"

echo "== vertical slider: a drag from near the bottom to y = 50 (bottom stop 100, top 10, maximum 127)"
drag 901 10 95 10 50 9
expect_soon "vertical slider value" 63 gprobe pos 901
expect_events "901 VSCROLL 4 63" 1
[ "$(events | grep -c '^901 VSCROLL 5 ' || true)" -ge 1 ] || fail "no SB_THUMBTRACK during the drag"
traced "Kiv_DrawDigit 063=63"
traced "Kiv_DrawVS 1"

echo "== horizontal slider: a drag to x = 50 (stops 5 and 100, maximum 127)"
drag 1501 10 6 50 6 8
expect_soon "horizontal slider value" 63 gprobe pos 1501
expect_events "1501 HSCROLL 4 63" 2
traced "Kiv_DrawHS 1"
traced "Kiv_DrawGage"

echo "== knob: pressed at its right, turned to the top"
drag 1401 40 20 20 2 6
expect_soon "knob value" 50 gprobe pos 1401
[ "$(events | grep -c '^1401 HSCROLL 5 ' || true)" -ge 1 ] || fail "no SB_THUMBTRACK while turning"
expect_events "1401 HSCROLL 4 50" 1

echo "== the wheel over each"
wheel 901 UP
expect_events "901 VSCROLL 4 68" 1
traced "Kiv_DrawDigit 068=68"
wheel 1501 UP
expect_events "1501 HSCROLL 4 71" 1
wheel 1401 UP
expect_events "1401 HSCROLL 4 45" 1
wheel 1401 DOWN 2
expect_events "1401 HSCROLL 4 55" 1
expect_soon "knob value after the wheel" 55 gprobe pos 1401

stop_gallery
echo "gallery values: all checks passed"
