#!/usr/bin/env bash
# A short tour of the simulated desk with the real pointer, checking at each
# step what the simulated card decoded from what the desk sent: open the
# panel from the tray, choose the optical input, word clock (and read its
# tip under the pointer) and 48000 Hz,
# show the timecode row, set the start time 01:00:00:00, choose 25 frames,
# run the generator for two seconds (its MIDI Time Code must show in the
# digit fields) and stop it. Then, on the second card, the monitor's own
# buttons: unplug and replug the external unit, and play the driver's
# routing notification. Last, the control gallery: every class of the
# toolkit, a few of them tried. Saves a screenshot of the screen at every
# step and prints every card's decoded state at the end.
#
#   tests/e2e/tour.sh BIN_FOLDER [SHOTS_FOLDER [desk-sim options...]]
#   tests/e2e/tour.sh BIN_FOLDER SHOTS_FOLDER desk.exe [desk-sim options...]
#
# desk.exe takes the tour on the card driver's stand-in (lib/desk.sh): the
# driver posts its routing notification, and there is no monitor to unplug
# a unit with and no gallery.
#
# Runs inside a Wine session (display and prefix set, as the test command
# and scripts/wine-run --command give it); started without a display it
# makes one with scripts/wine-run. Screenshots go to SHOTS_FOLDER, by
# default BIN_FOLDER/../tour.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if [ -z "${DISPLAY:-}" ] && [ -z "${DESK_TOUR_SESSION:-}" ]; then
  export DESK_TOUR_SESSION=1
  exec "$here/scripts/wine-run" --timeout 300 --command bash "${BASH_SOURCE[0]}" "$@"
fi
export WINEPREFIX="${WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

BIN="$(cd "$1" && pwd)"
SHOTS="${2:-$BIN/../tour}"
mkdir -p "$SHOTS"
SHOTS="$(cd "$SHOTS" && pwd)"
rm -f "$SHOTS"/[0-9][0-9]-*.png
shift $(( $# >= 2 ? 2 : 1 ))
source "$here/tests/e2e/lib/desk.sh"
started=$(date +%s)
work="$(mktemp -d)"
at_exit 'rm -rf "$work"'
case "${1:-}" in desk.exe | desk-sim.exe) use_program "$1"; shift ;; esac
state="$work/cards.state"

# Frames since 00:00:00:00 at 25 frames per second, from "hh:mm:ss:ff".
frames_of() {
  local IFS=:
  read -r h m s f <<<"$1"
  echo $(( ((10#$h * 60 + 10#$m) * 60 + 10#$s) * 25 + 10#$f ))
}

probe delete-key  # start from the built-in settings

echo "== start: the desk in the tray, the monitor beside it"
start_desk --cards 2 --state "$(winepath -w "$state")" "$@"
[ "$PROGRAM" = desk.exe ] || wait_monitor
expect_eq "the desk's panel stays hidden at start" "$(probe visible)" 0
wait_card_field "$state" 0 "digital input" optical
wait_card_field "$state" 0 "clock source" internal
wait_card_field "$state" 0 "routing" "set A -> output pair 3-4, set B -> none"
screenshot 00-start

echo "== open the panel from the tray"
click_tray
wait_visible 1
screenshot 01-panel-open

echo "== digital input: coaxial, then optical"
click_control 0 18 58
wait_card_field "$state" 0 "digital input" coaxial
screenshot 02-coaxial-input
click_control 0 18 74
wait_card_field "$state" 0 "digital input" optical
expect_eq "the panel shows optical" "$(probe check "$(control_id 0 2049)")" 1
screenshot 03-optical-input

echo "== clock source: word clock"
click_control 0 18 193
wait_card_field "$state" 0 "clock source" "word clock"
screenshot 04-word-clock

echo "== its tip, with the pointer resting on it"
read -r ox oy < <(probe origin)
# Away from the control just clicked (its tip stays away while the pointer
# rests on it), then onto it.
xdotool mousemove $((ox + 170)) $((oy + 240)) sleep 0.1 mousemove $((ox + 60)) $((oy + 199)) \
  sleep 0.1 mousemove_relative 3 0
expect_soon "the tip under the pointer" \
  "Word clock: the card takes its sample clock from the word clock input" probe tip
screenshot 04-word-clock-tip
# Wrapped rather than run across a small screen: two lines of at most 280
# pixels and the tip's frame.
read -r tip_width tip_height < <(probe tip-size)
[ "$tip_width" -le 300 ] && [ "$tip_height" -gt 20 ] || fail "the tip is $tip_width x $tip_height, not wrapped"
echo "ok: the tip is wrapped ($tip_width x $tip_height)"
click_control 0 18 193     # a click takes it away (and sets word clock again)
expect_soon "the tip after a click" none probe tip

echo "== sample rate: 48000"
click_control 0 197 165
wait_card_field "$state" 0 "sample rate" 48000
wait_card_field "$state" 0 "last rate byte" 0xC3
screenshot 05-48000-hz

echo "== show the timecode row"
click_control 0 197 198
expect_soon "the desk's window with its timecode row" 379 window_height
screenshot 06-timecode-row

echo "== start time 01:00:00:00 (a left click on the hours counts up)"
click_control 0 39 269
expect_soon "the start time in the fields" "01:00:00:00" probe timecode 0
screenshot 07-start-time

echo "== 25 frames"
click_control 0 82 326
expect_soon "the 25 frames key" 1 checked 0 2161
wait_card_field "$state" 0 "generator" stopped
screenshot 08-25-frames

echo "== start the generator and let it run"
click_control 0 269 280
wait_card_field "$state" 0 "generator" running
wait_card_field "$state" 0 "frame rate" 25
wait_card_field "$state" 0 "start time" "01:00:00:00"
wait_card_field "$state" 0 "unit lock" locked
screenshot 09-generator-running
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
run_started=$(now_ms)
readings=()
while [ $(( $(now_ms) - run_started )) -lt 2000 ] || [ "${#readings[@]}" -lt 4 ]; do
  readings+=("$(probe timecode 0)")
  sleep 0.3
done
echo "the digit fields read: ${readings[*]}"
screenshot 10-running-two-seconds
previous=-1
distinct=0
for reading in "${readings[@]}"; do
  [[ "$reading" =~ ^01:00:0[0-3]:[0-2][0-9]$ ]] || fail "the fields show $reading, not a time from 01:00:00:00"
  now=$(frames_of "$reading")
  [ "$now" -ge "$previous" ] || fail "the fields went back to $reading"
  [ "$now" -gt "$previous" ] && distinct=$((distinct + 1))
  previous=$now
done
[ "$distinct" -ge 3 ] || fail "the fields did not follow the running time (${readings[*]})"
echo "ok: the digit fields showed the running time, $distinct different times"

echo "== stop the generator"
click_control 0 269 280
wait_card_field "$state" 0 "generator" stopped
wait_card_field "$state" 0 "unit lock" unlocked
sleep 0.3
card_time=$(card_field "$state" 0 "current time")
desk_time=$(probe timecode 0)
echo "the unit stopped at $card_time; the fields hold $desk_time"
card_frames=$(frames_of "$card_time")
desk_frames=$(frames_of "$desk_time")
[ "$card_frames" -ge $(( $(frames_of 01:00:02:00) - 1 )) ] || fail "the unit ran only to $card_time"
gap=$(( card_frames - desk_frames ))
[ "${gap#-}" -le 12 ] || fail "the fields ($desk_time) are not where the unit stopped ($card_time)"
screenshot 11-generator-stopped

if [ "$PROGRAM" = desk-sim.exe ]; then
  echo "== the monitor: unplug and replug card 2's external unit"
  click_monitor 1 349 141
  wait_card_field "$state" 1 "unit" unplugged
  screenshot 12-unit-unplugged
  click_monitor 1 349 141
  wait_card_field "$state" 1 "unit" present
fi

echo "== the driver's routing notification, set A output pair 1-2 on"
driver_routing 1 0 0 1
wait_card_field "$state" 1 "routing" "set A -> output pair 1-2, set B -> none"
expect_soon "the desk's set A row 0 key on card 2" 1 checked 1 2192
screenshot 13-driver-routing

stop_desk

echo "== every card's decoded state at the end"
cat "$state"
echo "== what the tour set"
expect_eq "card 0 digital input" "$(card_field "$state" 0 "digital input")" optical
expect_eq "card 0 clock source" "$(card_field "$state" 0 "clock source")" "word clock"
expect_eq "card 0 sample rate" "$(card_field "$state" 0 "sample rate")" 48000
expect_eq "card 0 fs mode" "$(card_field "$state" 0 "fs mode")" fs
expect_eq "card 0 generator" "$(card_field "$state" 0 "generator")" stopped
expect_eq "card 0 frame rate" "$(card_field "$state" 0 "frame rate")" 25
expect_eq "card 0 start time" "$(card_field "$state" 0 "start time")" 01:00:00:00
expect_eq "card 0 unit lock" "$(card_field "$state" 0 "unit lock")" unlocked
expect_eq "card 1 unit" "$(card_field "$state" 1 "unit")" present
probe delete-key  # leave no settings behind for the next run
if [ "$PROGRAM" = desk.exe ]; then
  echo "tour: all checks passed in $(( $(date +%s) - started )) s"
  exit 0
fi

echo "== the control gallery: one control of each class of the toolkit"
source "$here/tests/e2e/lib/gallery.sh"
WORK="$work"
start_gallery
screenshot 14-gallery
click 601 30 10            # the push button
click 801 20 10            # the three-state button, to state 1
click 1601 20 10           # the on/off switch
drag 901 10 95 10 40 6     # the vertical slider, its digit display following
drag 1401 40 20 20 2 4     # the knob, turned to the top
expect_events "1401 HSCROLL 4 50" 1
screenshot 15-gallery-tried
stop_gallery
echo "screenshots: $SHOTS"
echo "tour: all checks passed in $(( $(date +%s) - started )) s"
