#!/usr/bin/env bash
# The programs as they ship, on a system that reports Windows 98: Wine's
# Windows version for the prefix is set to Windows 98 for this run and put
# back afterwards. The simulated desk starts, its panel opens from the tray
# with a real click, clicks reach the simulated cards, and it ends cleanly;
# the control gallery starts, takes a click and ends cleanly too.
#   tests/e2e/win98.sh BIN_FOLDER   (inside a Wine session)
set -euo pipefail
BIN="$(cd "$1" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/lib/desk.sh"
work="$(mktemp -d)"

trap 'put_back_windows_version; rm -rf "$work"' EXIT
use_windows_98

probe delete-key
start_desk --cards 2 --no-monitor --state "$work/state"
expect_eq "hidden at start" "$(probe visible)" 0
click_tray
wait_visible 1
click_control 0 18 133     # 256 fs
click_control 1 18 193     # column 1: word clock
wait_card_field "$work/state" 0 "fs mode" "256 fs"
wait_card_field "$work/state" 1 "clock source" "word clock"
stop_desk
expect_eq "Mixer20 after the run" "$(probe record 0)" "0 1 1 0 0 0 0 1 0 0 0 0 0 0 0 0 0"
source "$(dirname "${BASH_SOURCE[0]}")/lib/gallery.sh"
WORK="$work"
start_gallery
click 1601 20 10
expect_events "1601 COMMAND 0" 1
expect_soon "the gallery's switch" 1 gprobe check 1601
stop_gallery
echo "windows 98: all checks passed"
