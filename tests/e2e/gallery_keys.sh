#!/usr/bin/env bash
# The control gallery from the keyboard alone, with real key presses
# (xdotool): the focus starts on the first control, Tab and Shift+Tab move it
# in reading order, and each class's keys work its control, the selector's
# menu included; checked through the gallery's --events log and the values.
#   tests/e2e/gallery_keys.sh BIN_FOLDER   (inside a Wine session)
set -euo pipefail
BIN="$(cd "$1" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/lib/desk.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib/gallery.sh"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

keys() { xdotool key --delay 60 "$@"; }

start_gallery
# With no window manager the keys go to the window under the pointer: the
# gallery's log, where no control takes the focus by hovering.
read -r left top < <(gprobe origin)
xdotool mousemove $((left + 400)) $((top + 520))
expect_soon "the focus at the start" 201 gprobe focus

echo "== toggle, digit field (a digit, Up, a digit: Up ends the typing), push button"
keys space Tab 4 Up 2 Tab Return shift+space
expect_events "201 COMMAND 1" 1
expect_soon "digit field" 2 gprobe pos 401
expect_eq "the digit field's news" "$(events | grep '^401 ' | tr '\n' ,)" "401 VSCROLL 4 4,401 VSCROLL 4 5,401 VSCROLL 4 2,"
expect_events "601 COMMAND 1" 1
expect_events "601 COMMAND 2" 1

echo "== the selector: Space opens its menu, the third item chosen with the keys"
keys Tab space
expect_soon "the selector's menu" yes menu_open gallery.exe
keys Down Down Down Return
expect_soon "selection chosen from the menu" 2 gprobe pos 701

echo "== three-state button, bitmap list, vertical slider, knob, horizontal slider, switch"
keys Tab space Tab Down Tab Up Tab Up Tab Right Tab space
for line in "801 COMMAND 0" "1001 COMMAND 0" "901 VSCROLL 4 5" "1401 HSCROLL 4 55" "1501 HSCROLL 4 8" \
  "1601 COMMAND 0"; do expect_events "$line" 1; done
keys Tab
expect_soon "focus after the last" 201 gprobe focus
keys shift+Tab
expect_soon "focus back" 1601 gprobe focus

stop_gallery
echo "gallery keys: all checks passed"
