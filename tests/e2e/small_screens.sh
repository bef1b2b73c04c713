#!/usr/bin/env bash
# The panel on screens of every size, each a Wine desktop of its own size
# (explorer /desktop=NAME,WxH) on the test run's display:
#   - 1280x1024 with three cards: exactly the window the desk has always
#     opened, centred; 1024x768 with three cards too;
#   - 1024x768 and 800x600 with four cards, 800x600 with three: the columns
#     wrap into rows inside the screen, and 800x600 scrolls once the
#     timecode rows are shown;
#   - on each, with the timecode rows hidden and shown (real clicks on the
#     show/hide key), every control is brought whole onto the screen with the
#     desk's own scroll bars, under no other window and without moving the
#     desk's window; the mouse wheel over the background scrolls;
#   - a change of resolution while the desk runs places it again, and back;
#   - a taller caption: the client area is still exactly the skin's.
# Saves screenshots of the four-card desks into SHOTS_FOLDER when one is
# given.
#   tests/e2e/small_screens.sh BIN_FOLDER [SHOTS_FOLDER]
# Runs inside a Wine session (display and prefix set, as the test command
# and scripts/wine-run --command give it); started without a display it
# makes one with scripts/wine-run.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if [ -z "${DISPLAY:-}" ] && [ -z "${DESK_SMALL_SCREENS_SESSION:-}" ]; then
  export DESK_SMALL_SCREENS_SESSION=1
  exec "$here/scripts/wine-run" --timeout 600 --command bash "${BASH_SOURCE[0]}" "$@"
fi
export WINEPREFIX="${WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

BIN="$(cd "$1" && pwd)"
SHOTS=""
if [ -n "${2:-}" ]; then
  mkdir -p "$2"
  SHOTS="$(cd "$2" && pwd)"
fi
source "$here/tests/e2e/lib/desk.sh"

caption_key='HKCU\Control Panel\Desktop\WindowMetrics'
previous_caption=""
put_back_caption() {
  if [ -n "$previous_caption" ]; then
    wine reg add "$caption_key" /v CaptionHeight /d "$previous_caption" /f >/dev/null 2>&1 || true
  else
    wine reg delete "$caption_key" /v CaptionHeight /f >/dev/null 2>&1 || true
  fi
}
# A change of resolution on a Wine desktop of its own outlives it: Wine keeps
# one display mode for all its desktops. The run's own screen is put back.
read -r run_width run_height _ < <(probe screen)
put_back() {
  put_back_caption
  if [ "$(probe screen | cut -d' ' -f1-2)" != "$run_width $run_height" ]; then
    probe display "$run_width" "$run_height" || true
  fi
}
trap put_back EXIT

# The desk on a desktop of its own, DESKTOP, the size of the screen.
DESKTOP=""
on_screen() { probe --desktop "$DESKTOP" "$@"; }

# start_on_screen WxH CARDS [OPTIONS...]: the simulated desk, its panel
# open, alone on a new Wine desktop of that size (with no card monitor
# unless OPTIONS say --monitor).
start_on_screen() {
  local size=$1 cards=$2 monitor=--no-monitor
  shift 2
  [ "${1:-}" = --monitor ] && monitor=""
  DESKTOP="screen-$size-$cards-$$"
  park_pointer
  wine explorer "/desktop=$DESKTOP,$size" "$BIN/desk-sim.exe" --cards "$cards" --show $monitor &
  DESK_PID=$!
  for _ in $(seq 1 100); do on_screen wait-window 1 >/dev/null 2>&1 && break; sleep 0.2; done
  on_screen wait-window 30 || fail "the desk's window did not appear on $size"
  expect_soon "the panel open on $size" 1 on_screen visible
}

stop_on_screen() {
  on_screen post 0x10 0 0
  wait_ended "$DESK_PID" "the desk on its desktop"
}

# reach EXPECTED: every visible control within reach.
reach() { expect_eq "$2: controls within reach" "$(on_screen reach)" "$1 controls, $1 within reach"; }

# click_id ID: a real click in the middle of a control, which must be in view.
click_id() {
  local x y w h cx cy cw ch
  read -r x y w h < <(on_screen rect "$1")
  read -r cx cy cw ch < <(on_screen client)
  if [ "$x" -lt "$cx" ] || [ "$y" -lt "$cy" ] || [ $((x + w)) -gt $((cx + cw)) ] || [ $((y + h)) -gt $((cy + ch)) ]; then
    fail "control $1 is not in view to click"
  fi
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}

# in_view ID: "1" when the control lies whole in the client area, else "0".
in_view() {
  local x y w h cx cy cw ch
  read -r x y w h < <(on_screen rect "$1")
  read -r cx cy cw ch < <(on_screen client)
  [ "$x" -ge "$cx" ] && [ "$y" -ge "$cy" ] && [ $((x + w)) -le $((cx + cw)) ] && [ $((y + h)) -le $((cy + ch)) ] &&
    echo 1 || echo 0
}

# shot NAME WxH: the desktop as SHOTS/NAME.png.
shot() {
  [ -n "$SHOTS" ] || return 0
  import -window root -crop "$2+0+0" +repage "$SHOTS/$1.png"
  echo "screenshot: $SHOTS/$1.png"
}

client_size() { on_screen client | cut -d' ' -f3-; }
rect_changed() { [ "$(on_screen rect "$2")" != "$1" ] && echo 1 || echo 0; }  # rect_changed BEFORE ID

show_hide_0=$(control_id 0 2112)
coaxial_0=$(control_id 0 2048)

echo "== 1280x1024, three cards: the window the desk has always opened"
start_on_screen 1280x1024 3
expect_eq "window" "$(on_screen window)" "131 385 1023 279"
expect_eq "client area" "$(on_screen client)" "134 407 1017 254"
reach 81 "rows hidden"
click_id "$show_hide_0"
expect_soon "window with the timecode rows" "131 385 1023 379" on_screen window
echo "== a change of resolution places it again, the timecode rows still shown"
on_screen display 800 600 || fail "the screen did not change to 800x600"
expect_soon "window at 800x600" "49 0 701 600" on_screen window
reach 111 "at 800x600"
on_screen display 1280 960 || fail "the screen did not change to 1280x960"
expect_soon "window at 1280x960: centred again" "131 353 1023 379" on_screen window
stop_on_screen

echo "== 1024x768, three cards: still centred, the frame's right edge off the screen"
start_on_screen 1024x768 3
expect_eq "window" "$(on_screen window)" "3 257 1023 279"
reach 81 "rows hidden"
click_id "$show_hide_0"
expect_soon "window with the timecode rows" "3 257 1023 379" on_screen window
reach 111 "rows shown"
stop_on_screen

for size in 1024x768 800x600; do
  for cards in 4 3; do
    [ "$size" = 1024x768 ] && [ "$cards" = 3 ] && continue
    echo "== $size, $cards cards: two rows of cards"
    start_on_screen "$size" "$cards"
    case "$size" in
      # Hidden again, the rows keep the place the shown ones took.
      1024x768) short="170 117 684 533" tall="170 17 684 733" short_again="170 17 684 533" ;;
      800x600) short="58 33 684 533" tall="49 0 701 600" short_again="49 0 684 533" ;;
    esac
    expect_eq "window" "$(on_screen window)" "$short"
    expect_eq "client area" "$(client_size)" "678 508"
    [ "$cards" = 4 ] && shot "four-cards-$size-timecode-hidden" "$size"
    reach $((cards * 27)) "rows hidden"
    click_id "$show_hide_0"
    expect_soon "window with the timecode rows" "$tall" on_screen window
    expect_soon "the last column's show/hide key follows" 1 on_screen check "$(control_id $((cards - 1)) 2112)"
    [ "$cards" = 4 ] && shot "four-cards-$size-timecode-shown" "$size"
    reach $((cards * 37)) "rows shown"
    if [ "$size" = 800x600 ]; then
      # From the keyboard: Tab onto the first control, which the view
      # scrolls up to, then Shift+Tab round to the last card's last
      # control, which it scrolls down to.
      read -r cx cy _ _ < <(on_screen client)
      xdotool mousemove $((cx + 4)) $((cy + 4))
      xdotool key Tab
      expect_soon "the focus on the first control" "$coaxial_0" on_screen focus
      expect_soon "the first control in view" 1 in_view "$coaxial_0"
      last=$(control_id $((cards - 1)) 2164)
      xdotool key shift+Tab
      expect_soon "the focus on the last control" "$last" on_screen focus
      expect_soon "the last control in view" 1 in_view "$last"
      # The view ended at the last control, in the second row of cards; the
      # wheel over the background takes it back up to the first row's top.
      [ "$(on_screen rect "$coaxial_0" | cut -d' ' -f2)" -lt "$cy" ] || fail "the view did not scroll down"
      xdotool mousemove $((cx + 4)) $((cy + 4))
      for _ in $(seq 1 20); do
        [ "$(on_screen rect "$coaxial_0" | cut -d' ' -f2)" -ge "$cy" ] && break
        before=$(on_screen rect "$coaxial_0")
        xdotool click 4
        expect_soon "a notch of the wheel scrolls" 1 rect_changed "$before" "$coaxial_0"
      done
      [ "$(on_screen rect "$coaxial_0" | cut -d' ' -f2)" -ge "$cy" ] || fail "the wheel did not scroll back up"
      [ "$cards" = 4 ] && shot "four-cards-$size-timecode-shown-scrolled-back" "$size"
    fi
    click_id "$show_hide_0"
    expect_soon "window without the timecode rows" "$short_again" on_screen window
    reach $((cards * 27)) "rows hidden again"
    stop_on_screen
  done
done

# monitor_placed W H: "inside" when the card monitor lies inside a W x H
# screen, and "clear" or "covers" as it leaves the desk's window free or not.
monitor_placed() {
  local mx my mw mh dx dy dw dh where=outside cover=covers
  read -r mx my mw mh < <(on_screen monitor)
  read -r dx dy dw dh < <(on_screen window)
  [ "$mx" -ge 0 ] && [ "$my" -ge 0 ] && [ $((mx + mw)) -le "$1" ] && [ $((my + mh)) -le "$2" ] && where=inside
  if [ $((mx + mw)) -le "$dx" ] || [ $((dx + dw)) -le "$mx" ] || [ $((my + mh)) -le "$dy" ] || [ $((dy + dh)) -le "$my" ]; then
    cover=clear
  fi
  echo "$where $cover"
}
monitor_where() { monitor_placed "$1" "$2" | cut -d' ' -f1; }
monitor_shown() { on_screen monitor >/dev/null 2>&1 && echo 1 || echo 0; }

echo "== the card monitor: beside the desk where the screen has room for both"
start_on_screen 1600x1000 2 --monitor
expect_soon "the card monitor appears" 1 monitor_shown
click_id "$show_hide_0"
expect_soon "window with the timecode rows" "461 373 684 379" on_screen window
expect_eq "the monitor at 1600x1000" "$(monitor_placed 1600 1000)" "inside clear"
stop_on_screen

echo "== the card monitor: inside a screen too small for it, and again after a change of resolution"
start_on_screen 1024x768 4 --monitor
expect_soon "the card monitor appears" 1 monitor_shown
expect_eq "the monitor at 1024x768" "$(monitor_where 1024 768)" inside
on_screen display 800 600 || fail "the screen did not change to 800x600"
expect_soon "window at 800x600" "58 33 684 533" on_screen window
expect_soon "the monitor at 800x600" inside monitor_where 800 600
stop_on_screen

echo "== a taller caption: the client area is still exactly the skin's"
previous_caption=$(wine reg query "$caption_key" /v CaptionHeight 2>/dev/null |
  tr -d '\r' | awk '$1 == "CaptionHeight" { print $3 }' || true)
wine reg add "$caption_key" /v CaptionHeight /d -450 /f >/dev/null  # 30 pixels, in twips
start_on_screen 1024x768 2
read -r _ _ width height < <(on_screen window)
expect_eq "client area" "$(client_size)" "678 254"
[ $((height - 254)) -gt 25 ] || fail "the caption did not grow: the window is $height high"
echo "ok: the frame and caption take $((height - 254)) pixels, the client area the skin's"
reach 54 "rows hidden"
click_id "$show_hide_0"
expect_soon "client area with the timecode rows" "678 354" client_size
stop_on_screen
put_back
expect_eq "the run's own screen afterwards" "$(probe screen | cut -d' ' -f1-2)" "$run_width $run_height"
echo "small screens: all checks passed"
