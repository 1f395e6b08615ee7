#!/usr/bin/env bash
# Compares the import table of an exe with an allowlist of functions that
# Windows 2000 has, and checks the subsystem and OS versions it declares.
#   check-imports.sh OBJDUMP EXE ALLOWLIST
set -euo pipefail
objdump=$1 exe=$2 allowlist=$3

dump=$("$objdump" -p "$exe")

imports=$(awk '
  /DLL Name:/ { dll = tolower($3); next }
  /^[^\t]/ { dll = "" }
  dll != "" && NF >= 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll "!" $3 }
' <<<"$dump" | sort -u)

[[ -n $imports ]] || { echo "no imports found in $exe" >&2; exit 1; }

unexpected=$(comm -23 <(echo "$imports") <(grep -v '^#' "$allowlist" | sed '/^$/d' | sort -u))
if [[ -n $unexpected ]]; then
  echo "imports not on the Windows 2000 allowlist:" >&2
  echo "$unexpected" >&2
  exit 1
fi

for field in MajorOSystemVersion MajorSubsystemVersion; do
  grep -Eq "^$field[[:space:]]+5$" <<<"$dump" || { echo "$field is not 5" >&2; exit 1; }
done
for field in MinorOSystemVersion MinorSubsystemVersion; do
  grep -Eq "^$field[[:space:]]+0$" <<<"$dump" || { echo "$field is not 0" >&2; exit 1; }
done
grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$dump" || { echo "not a GUI exe" >&2; exit 1; }
echo "$(wc -l <<<"$imports") imports, all on the allowlist"
