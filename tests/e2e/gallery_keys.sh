#!/usr/bin/env bash
# The control gallery from the keyboard alone, with real key presses
# (xdotool): the focus starts on the first control, Tab and Shift+Tab move it
# in reading order, and Space, Enter, the arrows and typed digits work the
# controls, the selector's menu included; checked through the gallery's
# --events log and the controls' values.
#   tests/e2e/gallery_keys.sh BIN_FOLDER   (inside a Wine session)
set -euo pipefail
BIN="$(cd "$1" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/lib/desk.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib/gallery.sh"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

keys() { xdotool key --delay 60 "$@"; }

# menu_open: whether the gallery shows a menu (its visible window without a title).
menu_open() {
  local window
  for window in $(xdotool search --onlyvisible --classname gallery.exe 2>/dev/null || true); do
    [ -z "$(xdotool getwindowname "$window")" ] && { echo yes; return; }
  done
  echo no
}

start_gallery
# With no window manager the keys go to the window under the pointer: the
# gallery's log, where no control takes the focus by hovering.
read -r left top < <(gprobe origin)
xdotool mousemove $((left + 400)) $((top + 520))
expect_soon "the focus at the start" 201 gprobe focus
expect_eq "the toggle's name" "$(gprobe text 201)" "toggle button"

echo "== the toggle: Space is its click"
keys space
expect_events "201 COMMAND 1" 1
expect_soon "toggle" 1 gprobe check 201

echo "== Tab to the digit field: two digits typed in, Up counts on"
keys Tab 4 2 Up
expect_events "401 VSCROLL 4 43" 1
expect_soon "digit field" 43 gprobe pos 401

echo "== Tab to the push button: Enter and Shift+Space"
keys Tab Return shift+space
expect_events "601 COMMAND 1" 1
expect_events "601 COMMAND 2" 1

echo "== Tab to the selector: Space opens its menu, the third item chosen with the keys"
keys Tab space
expect_soon "the selector's menu" yes menu_open
keys Down Down Down Return
expect_events "701 COMMAND 1" 1
expect_soon "selection chosen from the menu" 2 gprobe pos 701

echo "== Tab through the rest, each worked by its keys"
keys Tab space Tab Down Tab Up Tab Up Tab Right Tab space
expect_events "801 COMMAND 0" 1
expect_events "1001 COMMAND 0" 1
expect_soon "bitmap list index" 3 gprobe pos 1001
expect_events "901 VSCROLL 4 5" 1
expect_events "1401 HSCROLL 4 55" 1
expect_events "1501 HSCROLL 4 8" 1
expect_events "1601 COMMAND 0" 1
expect_soon "focus on the last" 1601 gprobe focus

echo "== round to the toggle and back"
keys Tab
expect_soon "focus after the last" 201 gprobe focus
keys shift+Tab
expect_soon "focus back" 1601 gprobe focus

stop_gallery
echo "gallery keys: all checks passed"
