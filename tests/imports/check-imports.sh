#!/usr/bin/env bash
# Checks that a program can be loaded by Windows 98: every function it
# imports is on the allow-list (functions that Windows 98's system DLLs
# export), nothing is imported by ordinal, and its PE header asks for
# Windows 4.0 as the lowest system and subsystem version.
#   tests/imports/check-imports.sh PROGRAM.exe ALLOW_LIST
set -euo pipefail
program=$1
allowed=$2
objdump=i686-w64-mingw32-objdump
name=$(basename "$program")

header=$("$objdump" -p "$program")
failed=0
for field in MajorOSystemVersion MajorSubsystemVersion; do
  value=$(awk -v f="$field" '$1 == f { print $2 }' <<<"$header")
  if [ "$value" != 4 ]; then echo "$name: $field is $value, not 4"; failed=1; fi
done
for field in MinorOSystemVersion MinorSubsystemVersion; do
  value=$(awk -v f="$field" '$1 == f { print $2 }' <<<"$header")
  if [ "$value" != 0 ]; then echo "$name: $field is $value, not 0"; failed=1; fi
done

# "DLL function" for every import, DLL names in upper case; "DLL #ordinal"
# for one imported by number.
imports=$(awk '
  /^[[:space:]]*DLL Name:/ { dll = toupper($3); next }
  dll != "" && /^[[:space:]]*$/ { next }
  dll != "" && /^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[A-Za-z_?@$]/ { print dll, $3; next }
  dll != "" && /^[[:space:]]+[0-9a-f]+[[:space:]]+<none>/ { print dll, "#" $2; next }
  /^[[:space:]]+vma:/ { next }
  /Import Tables|Export Address|^The Function Table/ { dll = "" }
' <<<"$header" | sort -u)
if [ -z "$imports" ]; then
  echo "$name: no imports found (is this a PE program?)"
  exit 1
fi

known=$(grep -v '^[[:space:]]*#' "$allowed" | awk 'NF >= 2 { print toupper($1), $2 }' | sort -u)
outside=$(comm -23 <(echo "$imports") <(echo "$known"))
if [ -n "$outside" ]; then
  echo "$name imports what Windows 98 may not export (not on $(basename "$allowed")):"
  sed 's/^/  /' <<<"$outside"
  failed=1
fi
if [ "$failed" = 0 ]; then
  echo "$name: $(wc -l <<<"$imports") imports, every one on the Windows 98 list; PE versions 4.0"
fi
exit $failed
