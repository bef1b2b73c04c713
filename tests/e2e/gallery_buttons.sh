#!/usr/bin/env bash
# The control gallery with the real pointer: the push button, the
# three-state button, the on/off switch, the bitmap list, the popup-menu
# selector (stepped by a click, and its menu opened through its opener and an
# item chosen) and the small text, checked through the gallery's --events log
# and the controls' own values.
#   tests/e2e/gallery_buttons.sh BIN_FOLDER   (inside a Wine session)
set -euo pipefail
BIN="$(cd "$1" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/lib/desk.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib/gallery.sh"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

start_gallery

echo "== push button: a click of each button; a press taken away posts nothing"
click 601 30 10
expect_events "601 COMMAND 1" 1
click 601 30 10 3
expect_events "601 COMMAND 2" 1
xdotool mousemove $(at 601 30 10) mousedown 1 mousemove $(at 601 30 60) mouseup 1

echo "== three-state button: three presses go round the ring"
click 801 20 10
click 801 20 10
expect_soon "three-state state after two presses" 2 gprobe check 801
click 801 20 10
expect_events "801 COMMAND 0" 3
expect_soon "three-state state after three presses" 0 gprobe check 801

echo "== on/off switch"
click 1601 20 10
expect_events "1601 COMMAND 0" 1
expect_soon "switch" 1 gprobe check 1601

echo "== bitmap list: next with the left button, previous with the right"
click 1001 24 16
expect_soon "list index after a left press" 3 gprobe pos 1001
click 1001 24 16 3
expect_events "1001 COMMAND 0" 2
expect_soon "list index after a right press" 2 gprobe pos 1001

echo "== popup-menu selector: a click on the face steps, the opener opens the menu"
click 701 60 10
expect_events "701 COMMAND 1" 1
expect_soon "selection after a step" 1 gprobe pos 701
click 701 10 10
menu=""
for _ in $(seq 1 50); do
  # The menu: the gallery's other visible window, one without a title.
  for window in $(xdotool search --onlyvisible --classname gallery.exe 2>/dev/null || true); do
    [ -z "$(xdotool getwindowname "$window")" ] && menu=$window
  done
  [ -n "$menu" ] && break
  sleep 0.2
done
[ -n "$menu" ] || fail "the selector's menu did not open"
eval "$(xdotool getwindowgeometry --shell "$menu")"
# Four items of equal height in the menu: a click in the fourth, "Auto".
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT * 7 / 8)) click 1
expect_events "701 COMMAND 1" 2
expect_soon "selection chosen from the menu" 3 gprobe pos 701

echo "== small text: a label, a click on it tells nobody"
click 501 30 8
click 1601 20 10
expect_events "1601 COMMAND 0" 2
expect_eq "notifications from the small text" "$(events | grep -c '^501 ' || true)" 0
expect_eq "push button notifications in all" "$(events | grep -c '^601 ' || true)" 2

stop_gallery
echo "gallery buttons: all checks passed"
