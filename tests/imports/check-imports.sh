#!/usr/bin/env bash
# Checks the import table of an exe: only DLLs that Windows always takes from
# its own folder (any other is looked for in the program's folder first);
# with an allowlist, also only functions that Windows 2000 has, and the
# subsystem and OS versions 5.0 that the exe declares.
#   check-imports.sh OBJDUMP EXE [ALLOWLIST]
set -euo pipefail
dump=$("$1" -p "$2")
# Each row: the address, an Ordinal column (<none>) from binutils 2.44 on, the hint, the name.
imports=$(awk '/DLL Name:/ { dll = tolower($3); next } /^[^\t]/ { dll = "" } { f = $2 == "<none>" ? 3 : 2 }
  dll != "" && NF > f && $1 ~ /^[0-9a-f]+$/ && $f ~ /^[0-9a-f]+$/ { print dll "!" $(f + 1) }' <<<"$dump" | sort -u)
[[ -n $imports ]] || { echo "no imports found in $2" >&2; exit 1; }
stray=$(comm -23 <(cut -d'!' -f1 <<<"$imports" | sort -u) \
  <(printf '%s\n' advapi32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll))
[[ -z $stray ]] || { printf 'DLLs not always taken from the system folder:\n%s\n' "$stray" >&2; exit 1; }
if [[ -n ${3:-} ]]; then
  unexpected=$(comm -23 <(echo "$imports") <(grep -v '^#' "$3" | sort -u))
  [[ -z $unexpected ]] || { printf 'imports not on the Windows 2000 allowlist:\n%s\n' "$unexpected" >&2; exit 1; }
  for field in MajorOSystemVersion:5 MajorSubsystemVersion:5 MinorOSystemVersion:0 MinorSubsystemVersion:0; do
    grep -Eq "^${field%:*}[[:space:]]+${field#*:}$" <<<"$dump" || { echo "${field%:*} is not ${field#*:}" >&2; exit 1; }
  done
fi
grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$dump" || { echo "not a GUI exe" >&2; exit 1; }
echo "$(wc -l <<<"$imports") imports of $(cut -d'!' -f1 <<<"$imports" | sort -u | wc -l) system DLLs${3:+, all on the allowlist}"
