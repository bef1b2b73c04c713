# Shared by the end-to-end scripts of the control gallery: start gallery.exe
# with its event and drawing logs, act on its controls with the real X
# pointer (xdotool) and look at them with desk-probe.exe --gallery. Source it
# after lib/desk.sh; it expects BIN and WORK (a scratch folder).

gprobe() { probe --gallery "$@"; }

# start_gallery: starts gallery.exe logging into $WORK/events and
# $WORK/trace, and waits for its window; GALLERY_PID holds the wine process.
start_gallery() {
  park_pointer
  wine "$BIN/gallery.exe" --events "$WORK/events" --draw-trace "$WORK/trace" &
  GALLERY_PID=$!
  gprobe wait-window 30 || fail "the gallery's window did not appear"
  # The window exists before X maps it; a click before that is lost.
  local _
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name '^Control gallery$' >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "the gallery's window was not mapped"
}

# stop_gallery: closes the gallery as its close box does and checks its exit.
stop_gallery() {
  gprobe post 0x10 0 0
  wait_ended "$GALLERY_PID" gallery
}

# at ID DX DY: the screen point DX, DY pixels into control ID.
at() {
  local x y w h
  read -r x y w h < <(gprobe rect "$1") || fail "no control $1"
  echo "$((x + $2)) $((y + $3))"
}

# click ID DX DY [BUTTON]: a real click at DX, DY inside control ID.
click() {
  local point
  point=$(at "$1" "$2" "$3")
  xdotool mousemove ${point} click "${4:-1}"
}

# drag ID FROM_DX FROM_DY TO_DX TO_DY STEPS: presses the left button at one
# point of control ID, moves to the other in STEPS real moves, releases.
drag() {
  local id=$1 fx=$2 fy=$3 tx=$4 ty=$5 steps=$6 i
  xdotool mousemove $(at "$id" "$fx" "$fy") mousedown 1
  for i in $(seq 1 "$steps"); do
    xdotool mousemove $(at "$id" $((fx + (tx - fx) * i / steps)) $((fy + (ty - fy) * i / steps)))
  done
  xdotool mouseup 1
}

# wheel ID UP|DOWN [NOTCHES]: hovers over control ID (which takes the focus)
# and turns the wheel, away from the user (UP) or toward (DOWN).
wheel() {
  local button=4
  [ "$2" = DOWN ] && button=5
  xdotool mousemove $(at "$1" 2 2)
  xdotool mousemove $(at "$1" 3 3)
  xdotool click --repeat "${3:-1}" "$button"
}

# events, drawn: the event log and the drawing trace, without the line
# ends' carriage returns (a Windows program writes them in text mode).
events() { tr -d '\r' < "$WORK/events" 2>/dev/null || true; }
drawn() { tr -d '\r' < "$WORK/trace" 2>/dev/null || true; }

# event_count LINE: how many times LINE is in the event log.
event_count() { events | grep -cFx "$1" || true; }

# expect_events LINE COUNT: waits (up to ten seconds) until LINE has come
# COUNT times.
expect_events() {
  local line=$1 count=$2 seen=""
  for _ in $(seq 1 50); do
    seen=$(event_count "$line")
    if [ "$seen" = "$count" ]; then
      echo "ok: '$line' x $count"
      return 0
    fi
    sleep 0.2
  done
  fail "'$line': seen $seen times, expected $count"
}

# expect_value WHAT EXPECTED COMMAND...: as expect_soon, for a probe answer.
expect_value() { expect_soon "$@"; }
