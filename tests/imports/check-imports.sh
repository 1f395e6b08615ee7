#!/usr/bin/env bash
# Compares the import table of an exe with an allowlist of functions that
# Windows 2000 has, and checks the subsystem and OS versions it declares.
#   check-imports.sh OBJDUMP EXE ALLOWLIST
set -euo pipefail
dump=$("$1" -p "$2")
imports=$(awk '/DLL Name:/ { dll = tolower($3); next } /^[^\t]/ { dll = "" }
  dll != "" && NF >= 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll "!" $3 }' <<<"$dump" | sort -u)
[[ -n $imports ]] || { echo "no imports found in $2" >&2; exit 1; }
unexpected=$(comm -23 <(echo "$imports") <(grep -v '^#' "$3" | sort -u))
[[ -z $unexpected ]] || { printf 'imports not on the Windows 2000 allowlist:\n%s\n' "$unexpected" >&2; exit 1; }
for field in MajorOSystemVersion:5 MajorSubsystemVersion:5 MinorOSystemVersion:0 MinorSubsystemVersion:0; do
  grep -Eq "^${field%:*}[[:space:]]+${field#*:}$" <<<"$dump" || { echo "${field%:*} is not ${field#*:}" >&2; exit 1; }
done
grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$dump" || { echo "not a GUI exe" >&2; exit 1; }
echo "$(wc -l <<<"$imports") imports, all on the allowlist"
