#!/usr/bin/env bash
# The setup as a Windows 98 user meets it (Wine's Windows version set to
# Windows 98 for the run, put back afterwards), silent, into a folder of
# this test's own:
#   - it installs the programs, the README and the licence, the Start menu
#     shortcuts, the Run value and the Add/Remove Programs entry, and the
#     uninstaller it writes passes the Windows 98 import check;
#   - the installed README.txt is the user's guide: plain text within 78
#     columns, no Markdown, nothing of the desk's development;
#   - the Start menu's desk and simulated desk, and the setup's last page,
#     start with --show: without a card the desk says so in a message box
#     and ends with 0 after OK, writing nothing; the Run value's command,
#     started as the logon starts it, ends with 0 at once, silently;
#   - run again over a running simulated desk, it ends the desk cleanly,
#     replaces the files and keeps the cards' records;
#   - a desk that answers nothing holds the setup up for about 10 s in
#     all, not for minutes;
#   - the uninstaller ends a running desk and gallery cleanly, takes
#     everything away with the simulated desk's settings, and leaves the
#     cards' records and the driver's options.
#   tests/e2e/setup.sh BIN_FOLDER   (inside a Wine session; scripts/package
#                                    has made build/package)
set -euo pipefail
BIN="$(cd "$1" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/lib/desk.sh"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
version=$(sed -n 's/^#define DESK_VERSION_TEXT "\(.*\)"$/\1/p' "$root/resources/version.h")
package="$root/build/package"
setup="$package/TaraDock20-Desk-$version-setup.exe"
[ -f "$setup" ] || fail "no $setup: run scripts/package first"

# A folder with a space, as "Program Files" has: the Run value and the
# uninstall command must be quoted.
folder='C:\TaraDock setup test\Desk'
folder_unix="$WINEPREFIX/drive_c/TaraDock setup test/Desk"
product="TaraDock-20 Control Desk"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TaraDock20 Control Desk'

# reg_value KEY NAME: the value's data as `reg query` prints it, or nothing.
reg_value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" 'index($0, "    " name "    ") == 1 { sub(/^    [^ ]+( [^ ]+)*    REG_[A-Z]+    /, ""); print }'
}
shortcuts() { find "$WINEPREFIX/drive_c" -path "*Start Menu*/$product/*.lnk" -printf '%f\n' | sort; }
start_menu_folders() { find "$WINEPREFIX/drive_c" -path "*Start Menu*" -type d -name "$product" | wc -l; }
# The command line exactly as typed: NSIS takes /D= unquoted, at the end,
# which wine's own argument quoting would spoil.
install_silently() {
  expect_eq "setup exit code" "$(probe run-command 120 "\"$(winepath -w "$setup")\" /S /D=$folder")" 0
}

# Whatever a failed run left behind goes, so that no later Wine session
# starts the desk from a Run value.
cleanup() {
  put_back_windows_version
  wine reg delete "$run_key" /v "TaraDock20 Control Desk" /f >/dev/null 2>&1 || true
  wine reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
  find "$WINEPREFIX/drive_c" -path "*Start Menu*" -type d -name "$product" -exec rm -rf {} + 2>/dev/null || true
  rm -rf "$WINEPREFIX/drive_c/TaraDock setup test"
}
trap cleanup EXIT
use_windows_98
allow_list="$root/tests/imports/win98-imports.txt"
bash "$root/tests/imports/check-imports.sh" "$setup" "$allow_list"
# The one plugin the setup carries: its welcome and finish pages load it.
bash "$root/tests/imports/check-imports.sh" /usr/share/nsis/Plugins/x86-ansi/nsDialogs.dll "$allow_list"

echo "--- a silent install"
install_silently
expect_eq "installed files" "$(ls "$folder_unix" | tr '\n' ' ')" \
  "LICENSE.txt README.txt desk-sim.exe desk.exe gallery.exe uninstall.exe "
cmp -s "$folder_unix/README.txt" "$package/TaraDock20-Desk-$version/README.txt" || fail "README.txt differs"
bash "$root/tests/imports/check-imports.sh" "$folder_unix/uninstall.exe" "$allow_list"
expect_eq "Start menu shortcuts" "$(shortcuts | tr '\n' '|')" \
  "Control Gallery.lnk|README.lnk|TaraDock-20 Control Desk.lnk|Try the Desk on Simulated Cards (no card needed).lnk|Uninstall TaraDock-20 Control Desk.lnk|"
for pair in "TaraDock-20 Control Desk.lnk:desk.exe" "Try the Desk*.lnk:desk-sim.exe" \
    "Control Gallery.lnk:gallery.exe" "README.lnk:README.txt" "Uninstall*.lnk:uninstall.exe"; do
  link=$(find "$WINEPREFIX/drive_c" -path "*Start Menu*/$product/${pair%%:*}" | head -1)
  grep -qaF "$folder\\${pair#*:}" "$link" || fail "$link does not lead to ${pair#*:}"
  # A shortcut's arguments are kept in UTF-16.
  arguments=$(strings -el "$link" | grep -c -- '^--show$' || true)
  case "${pair#*:}" in
    desk.exe | desk-sim.exe) expect_eq "$(basename "$link") starts with --show" "$arguments" 1 ;;
    *) expect_eq "$(basename "$link") has no arguments" "$arguments" 0 ;;
  esac
done
guide="$folder_unix/README.txt"
expect_eq "README.txt lines over 78 columns" "$(tr -d '\r' <"$guide" | awk 'length > 78' | wc -l)" 0
expect_eq "README.txt Markdown" "$(grep -cE '^#|`|\*\*|^\s*[-=]{3,}\s*$' "$guide" || true)" 0
expect_eq "README.txt development words" "$(grep -ciE 'scripts/|debian|cmake|mingw|wine|clang|gtest' "$guide" || true)" 0
grep -q '^CONTENTS' "$guide" || fail "README.txt is not the user's guide"
run_command="\"$folder\\desk.exe\""
expect_eq "Run value" "$(reg_value "$run_key" "TaraDock20 Control Desk")" "$run_command"
expect_eq "DisplayName" "$(reg_value "$uninstall_key" DisplayName)" "$product"
expect_eq "DisplayVersion" "$(reg_value "$uninstall_key" DisplayVersion)" "$version"
expect_eq "UninstallString" "$(reg_value "$uninstall_key" UninstallString)" "\"$folder\\uninstall.exe\""
expect_eq "DisplayIcon" "$(reg_value "$uninstall_key" DisplayIcon)" "$folder\\desk.exe,0"

echo "--- the logon starts the Run value's command: no card, so it ends with 0"
expect_eq "desk at logon, exit code" "$(probe run-command 30 "$run_command")" 0

echo "--- started from the Start menu with no card: a word, then exit code 0"
probe --desk-key delete-key
wine "$folder\\desk.exe" --show &
DESK_PID=$!
expect_soon "the no-card message" 1 windows_named "$product"
screenshot no-card-message
xdotool search --name "^$product\$" windowfocus --sync
xdotool key Return
wait_desk_end 30
expect_eq "the desk's key after the message" "$(probe --desk-key key-exists)" 0

echo "--- installed again over a running desk"
probe delete-key
probe write-record 0 0 0 1 2 0 0 0 1 0 0 0 0 0 0 0 0 0   # 256 fs, word clock
wine "$folder\\desk-sim.exe" --cards 1 --no-monitor &
DESK_PID=$!
probe wait-window 30 || fail "the installed desk's window did not appear"
echo "not the README" >"$folder_unix/README.txt"
install_silently
wait_desk_end 30
cmp -s "$folder_unix/README.txt" "$package/TaraDock20-Desk-$version/README.txt" || fail "README.txt not replaced"
expect_eq "Mixer20 kept" "$(probe record 0)" "0 1 1 2 0 0 0 1 0 0 0 0 0 0 0 0 0"
expect_eq "desk windows after the upgrade" "$(probe desk-windows)" 0

echo "--- installed again over a desk that answers nothing"
wine "$BIN/desk-probe.exe" hung-desk 120 &
DESK_PID=$!
expect_soon "windows of the desk's class" 1 probe desk-windows
started=$(date +%s)
install_silently
elapsed=$(( $(date +%s) - started ))
kill "$DESK_PID" 2>/dev/null || true
wait "$DESK_PID" 2>/dev/null || true
echo "the setup took $elapsed s over a hung desk"
[ "$elapsed" -le 40 ] || fail "the setup waited $elapsed s for a hung desk"

echo "--- a silent uninstall while the desk and the gallery run"
probe delete-key
probe --desk-key delete-key
probe --desk-key write-record 0 0 0 1 2 0 0 0 1 0 0 0 0 0 0 0 0 0
wine "$folder\\desk-sim.exe" --cards 2 --no-monitor &
DESK_PID=$!
probe wait-window 30 || fail "the installed desk's window did not appear"
wine "$folder\\gallery.exe" &
GALLERY_PID=$!
probe --gallery wait-window 30 || fail "the installed gallery's window did not appear"
wine "$folder\\uninstall.exe" /S
wait_desk_end 30
wait_ended "$GALLERY_PID" gallery 30
# The uninstaller works from a copy of itself, so it ends after its caller.
for _ in $(seq 1 300); do
  [ -e "$folder_unix" ] || break
  sleep 0.1
done
[ -e "$folder_unix" ] && fail "the install folder is still there: $(ls "$folder_unix" | tr '\n' ' ')"
# The folder goes first; the shortcuts and the registry after it. The
# program's user key is the uninstaller's last step.
deadline=$((SECONDS + 30))
while [ "$SECONDS" -lt "$deadline" ] && wine reg query 'HKCU\Software\TaraDock-20 Control Desk' >/dev/null 2>&1; do
  sleep 0.1
done
expect_eq "Start menu folder" "$(start_menu_folders)" 0
expect_eq "Run value" "$(reg_value "$run_key" "TaraDock20 Control Desk")" ""
wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "the Add/Remove Programs entry is still there"
expect_eq "the desk's Mixer20 kept by the uninstaller" "$(probe --desk-key record 0)" "0 0 1 2 0 0 0 1 0 0 0 0 0 0 0 0 0"
expect_eq "the simulated desk's key after the uninstaller" "$(probe key-exists)" 0
wine reg query 'HKCU\Software\TaraDock-20 Control Desk' >/dev/null 2>&1 && fail "the program's user key is still there"
probe --desk-key delete-key
echo "setup: all checks passed"
