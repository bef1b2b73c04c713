# Shared by the end-to-end scripts: start the desk (desk-sim.exe, or desk.exe
# on the card driver's stand-in), click on it as a person would (real X
# pointer events through xdotool), and look at it from outside with
# desk-probe.exe. Source it; it expects BIN (the folder of the Windows
# programs) and a Wine session (display and prefix) around it.

# The registry commands look at the key of the desk that runs (use_program).
probe() { wine "$BIN/desk-probe.exe" ${PROBE_KEY:-} "$@" | tr -d '\r'; }

# at_exit COMMAND: run at the script's end, after what was asked before.
exit_steps=""
at_exit() {
  exit_steps="$1"$'\n'"$exit_steps"
  trap "$exit_steps" EXIT
}

# fail MESSAGE: ends the script with 1. A desk or gallery it started and
# left running would keep the script's output open, and the test runner
# would wait for it until its timeout: they are ended first.
fail() {
  echo "FAIL: $*" >&2
  local pid
  for pid in ${DESK_PID:-} ${GALLERY_PID:-}; do kill "$pid" 2>/dev/null || true; done
  exit 1
}

expect_eq() {  # expect_eq WHAT ACTUAL EXPECTED
  if [ "$2" != "$3" ]; then fail "$1: got '$2', expected '$3'"; fi
  echo "ok: $1 = $3"
}

# --- The program: desk-sim.exe, or desk.exe on the stand-in ------------------

# use_program [PROGRAM]: the program the script runs, desk-sim.exe unless
# told desk.exe. desk.exe runs unmodified, as a byte-for-byte copy in
# build/win32/standin beside the card driver's stand-in ta24vxd.vxd
# (tests/standin), on simulated cards through its own driver calls and
# register window. Wine loads a VxD only for a program that it tells it runs
# on Windows 9x, so while the script runs Wine's Windows version for
# desk.exe alone (AppDefaults) is Windows 98. Its records are in the desk's
# own key, which probe then looks at.
PROGRAM=desk-sim.exe
desk_app_defaults='HKCU\Software\Wine\AppDefaults\desk.exe'
use_program() {
  PROGRAM=${1:-desk-sim.exe}
  PROBE_KEY=""
  case "$PROGRAM" in
    desk-sim.exe) return 0 ;;
    desk.exe) ;;
    *) fail "no program $PROGRAM (desk-sim.exe or desk.exe)" ;;
  esac
  PROBE_KEY=--desk-key
  [ -z "${STANDIN:-}" ] || return 0
  STANDIN="$(cd "$BIN/../standin" && pwd)"
  cmp -s "$BIN/desk.exe" "$STANDIN/desk.exe" || fail "the desk.exe beside the stand-in is not the shipped one"
  STANDIN_WORK="$(mktemp -d)"
  at_exit 'wine reg delete "$desk_app_defaults" /f >/dev/null 2>&1 || true; rm -rf "$STANDIN_WORK"'
  wine reg add "$desk_app_defaults" /v Version /d win98 /f >/dev/null
}

# program_line OPTIONS...: sets LINE to the command that runs the program
# with desk-sim.exe's options. desk.exe takes the desk's own; those of the
# simulated cards go to the stand-in (TA24VXD_STANDIN), and it has no card
# monitor.
program_line() {
  if [ "$PROGRAM" = desk-sim.exe ]; then
    LINE=(wine "$BIN/desk-sim.exe" "$@")
    return
  fi
  local cards="--routing-requests \"$STANDIN_WORK/routing\"" desk=()
  while [ $# -gt 0 ]; do
    case "$1" in
      --cards | --indices | --trace | --state) cards+=" $1 \"$2\""; shift 2 ;;
      --no-unit | --stuck-bridge) cards+=" $1"; shift ;;
      --no-monitor) shift ;;
      *) desk+=("$1"); shift ;;
    esac
  done
  LINE=(env "TA24VXD_STANDIN=$cards" wine "$STANDIN/desk.exe" "${desk[@]}")
}

# run_program [--timeout SECONDS] OPTIONS...: the program in the foreground.
run_program() {
  local limit=()
  if [ "${1:-}" = --timeout ]; then
    limit=(timeout "$2")
    shift 2
  fi
  program_line "$@"
  "${limit[@]}" "${LINE[@]}"
}

# park_pointer: the pointer to the screen's corner, where no window opens.
# A window that opens under the resting pointer shows the tip of the control
# there, and Wine loses a click that lands on that tip in the moment it goes.
park_pointer() { xdotool mousemove 0 0; }

# start_desk OPTIONS...: starts the program in the background and waits for
# its window; DESK_PID holds the wine process, which fail ends.
start_desk() {
  program_line "$@"
  park_pointer
  "${LINE[@]}" &
  DESK_PID=$!
  probe wait-window 30 || fail "the desk's window did not appear"
}

# other_key COMMAND...: probe's registry COMMAND on the key of the other kind
# of desk, which this one never touches.
other_key() {
  if [ "$PROGRAM" = desk.exe ]; then
    wine "$BIN/desk-probe.exe" "$@" | tr -d '\r'
  else
    wine "$BIN/desk-probe.exe" --desk-key "$@" | tr -d '\r'
  fi
}

# driver_routing COLUMN SET ROW ON: the card driver's routing notification
# for the column's card, posted from the driver's side: the card monitor's
# button on desk-sim.exe (MONITOR, see wait_monitor), the stand-in's own
# thread on desk.exe.
driver_routing() {
  if [ "$PROGRAM" = desk.exe ]; then
    echo "routing $*" >"$STANDIN_WORK/routing.new"
    mv "$STANDIN_WORK/routing.new" "$STANDIN_WORK/routing"
    return
  fi
  [ "$2$3$4" = 001 ] || fail "the card monitor has no button for set $2 row $3 on $4"
  click_monitor "$1" 49 319
}

# wait_ended PID WHAT [SECONDS]: waits (bounded) for a program started in the
# background to end by itself and expects exit code 0.
wait_ended() {
  local pid=$1 what=$2 seconds=${3:-30} status=0
  for _ in $(seq 1 $((seconds * 10))); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "$what did not end within $seconds s"
  wait "$pid" || status=$?
  expect_eq "$what exit code" "$status" 0
}
wait_desk_end() { wait_ended "$DESK_PID" desk "${1:-30}"; }

# stop_desk: closes the desk the way another program would and waits for it.
stop_desk() {
  probe post 0x10 0 0
  wait_desk_end
}

# use_windows_98: Wine's Windows version for the prefix becomes Windows 98;
# put_back_windows_version (call it from the script's EXIT trap) restores
# what it was.
wine_version_key='HKCU\Software\Wine'
previous_windows_version=""
use_windows_98() {
  previous_windows_version=$(wine reg query "$wine_version_key" /v Version 2>/dev/null |
    tr -d '\r' | awk '$1 == "Version" { print $3 }' || true)
  wine reg add "$wine_version_key" /v Version /d win98 /f >/dev/null
  expect_eq "the system reports" "$(probe windows-version)" "windows 4.10"
}
put_back_windows_version() {
  if [ -n "$previous_windows_version" ]; then
    wine reg add "$wine_version_key" /v Version /d "$previous_windows_version" /f >/dev/null 2>&1 || true
  else
    wine reg delete "$wine_version_key" /v Version /f >/dev/null 2>&1 || true
  fi
}

tray_window() { xdotool search --name "Wine System Tray" | head -1; }

# click_tray: a real left click on the desk's icon, the first in the tray.
click_tray() {
  local tray
  tray=$(tray_window)
  [ -n "$tray" ] || fail "no system tray window"
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove $((X + 10)) $((Y + HEIGHT / 2)) click 1
}

# expect_soon WHAT EXPECTED COMMAND...: like expect_eq on what COMMAND prints,
# asked again for up to ten seconds. A click travels through X and the
# desk's queue, and a loaded machine can take longer than the pause after it.
expect_soon() {
  local what=$1 expected=$2 value=""
  shift 2
  for _ in $(seq 1 50); do
    value=$("$@")
    if [ "$value" = "$expected" ]; then
      echo "ok: $what = $expected"
      return 0
    fi
    sleep 0.2
  done
  fail "$what: got '$value', expected '$expected'"
}

checked() { probe check "$(control_id "$1" "$2")"; }  # checked COLUMN BASE_ID
window_height() { probe size | cut -d' ' -f2; }

wait_visible() {  # wait_visible 1|0
  for _ in $(seq 1 50); do
    [ "$(probe visible)" = "$1" ] && return 0
    sleep 0.2
  done
  fail "window visibility did not become $1"
}

# click_control COLUMN X Y [BUTTON]: clicks inside a control of a column at
# its layout position (the middle of a 9x9 patch from its top-left corner).
click_control() {
  local column=$1 x=$2 y=$3 button=${4:-1}
  read -r ox oy < <(probe origin)
  xdotool mousemove $((ox + column * 339 + x + 4)) $((oy + y + 4)) click "$button"
  sleep 0.3
}

control_id() { echo $(( ($1 << 12) + $2 )); }

# menu_open PROGRAM: "yes" while the program (desk-sim.exe, gallery.exe)
# shows a menu, a window of its own without a title.
menu_open() {
  local window
  for window in $(xdotool search --onlyvisible --classname "$1" 2>/dev/null || true); do
    [ -z "$(xdotool getwindowname "$window")" ] && { echo yes; return; }
  done
  echo no
}

# windows_named TITLE: how many windows have exactly that title.
windows_named() { { xdotool search --name "^$1\$" 2>/dev/null || true; } | wc -l; }

# choose_from_menu COLUMN KEY DOWNS: opens the options menu with a right
# click on the column's background, opens the submenu whose mnemonic is KEY
# and chooses its item DOWNS places below the first, with real key presses.
choose_from_menu() {
  click_control "$1" 170 240 3
  xdotool key "$2"
  local n
  for n in $(seq 1 "$3"); do xdotool key Down; done
  xdotool key Return
}

# --- The card monitor and the state file of desk-sim.exe ---------------------

# card_field FILE CARD KEY: the value of "KEY: value" in card CARD's part of a
# file written by desk-sim.exe --state (empty when there is none).
# The desk replaces the file whole, so for a moment there is none: a read
# then tries again (bounded) rather than taking the gap for an empty state.
card_field() {
  local text=""
  for _ in $(seq 1 20); do
    text=$(cat "$1" 2>/dev/null || true)
    [ -n "$text" ] && break
    sleep 0.05
  done
  printf '%s\n' "$text" | awk -v card="card $2" -v key="$3: " '
    $0 == card { on = 1; next }
    /^card [0-9]/ { on = 0 }
    on && index($0, key) == 1 { print substr($0, length(key) + 1); exit }
  '
}

# wait_card_field FILE CARD KEY EXPECTED [SECONDS]: waits until the card's
# decoded state says KEY: EXPECTED (desk-sim.exe keeps the file current).
wait_card_field() {
  local file=$1 card=$2 key=$3 expected=$4 seconds=${5:-10} value=""
  local tries=$((seconds * 10))
  for _ in $(seq 1 "$tries"); do
    value=$(card_field "$file" "$card" "$key")
    if [ "$value" = "$expected" ]; then
      echo "ok: card $card $key = $expected"
      return 0
    fi
    sleep 0.1
  done
  fail "card $card $key: got '$value', expected '$expected'"
}

monitor_window() { xdotool search --name "Card Monitor \\(simulated\\)" 2>/dev/null | head -1 || true; }

# wait_monitor: waits for the card monitor; MONITOR holds its X window.
wait_monitor() {
  MONITOR=""
  for _ in $(seq 1 50); do
    MONITOR=$(monitor_window)
    [ -n "$MONITOR" ] && return 0
    sleep 0.2
  done
  fail "the card monitor did not appear"
}

# click_monitor CARD X Y: a real click at (X, Y) in card CARD's strip of the
# monitor. The strips are 424 x 350 with 8 pixels around and between them,
# in as many columns as the monitor is wide enough for.
click_monitor() {
  local card=$1 x=$2 y=$3 columns
  eval "$(xdotool getwindowgeometry --shell "$MONITOR")"
  columns=$(( (WIDTH - 8) / 432 ))
  [ "$columns" -ge 1 ] || columns=1
  xdotool mousemove $((X + 8 + (card % columns) * 432 + x)) $((Y + 8 + (card / columns) * 358 + y)) click 1
  sleep 0.3
}

# screenshot NAME: the whole screen as SHOTS/NAME.png, when SHOTS is set.
screenshot() {
  [ -n "${SHOTS:-}" ] || return 0
  import -window root "$SHOTS/$1.png"
  echo "screenshot: $SHOTS/$1.png"
}
