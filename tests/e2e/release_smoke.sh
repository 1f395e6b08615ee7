#!/usr/bin/env bash
# Checks both release zips and runs the win64 exe, unpacked into a folder of
# its own, through the Release scenario in the Wine session of BUILD.
#   release_smoke.sh BUILD RELEASE_DIR VERSION
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
release=${2:?release directory} version=${3:?version}
here=$(cd "$(dirname "$0")" && pwd)

fail() { echo "release_smoke: $*" >&2; exit 1; }

unpacked=$(mktemp -d "$build/release-smoke.XXXXXX")
trap 'rm -rf "$unpacked"' EXIT
for arch in win32 win64; do
  zip=$release/lumvale-$version-$arch.zip
  [[ -f $zip ]] || fail "$zip is missing"
  names=$(python3 -c 'import sys, zipfile; print(" ".join(sorted(zipfile.ZipFile(sys.argv[1]).namelist())))' "$zip")
  [[ $names == "LICENSE.txt README.txt lumvale.exe" ]] || fail "$zip holds: $names"
  python3 -m zipfile -e "$zip" "$unpacked/$arch"
  grep -q "^Lumvale $version"$'\r$' "$unpacked/$arch/README.txt" || fail "README.txt of $arch: no version line with Windows line ends"
  grep -q "MIT License" "$unpacked/$arch/LICENSE.txt" || fail "LICENSE.txt of $arch is not the licence"
done
x86_64-w64-mingw32-objdump -f "$unpacked/win32/lumvale.exe" | grep -q "file format pei-i386" || fail "win32 zip: not an x86 exe"
x86_64-w64-mingw32-objdump -f "$unpacked/win64/lumvale.exe" | grep -q "file format pei-x86-64" || fail "win64 zip: not an x64 exe"

# Wine sees the Unix file system as drive Z:.
exe="Z:${unpacked//\//\\}\\win64\\lumvale.exe"
LUMVALE_RELEASE_EXE=$exe "$here/../wine/session.sh" exec "$build" "$build/e2e_tests.exe" \
  --gtest_filter='Release.*' --gtest_brief=1
