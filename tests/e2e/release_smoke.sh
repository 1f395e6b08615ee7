#!/usr/bin/env bash
# Checks both release zips, unpacks the win64 one into a folder whose name no
# code page holds, and runs the Release scenario on the exe from there.
#   release_smoke.sh BUILD RELEASE_DIR VERSION
set -euo pipefail
build=$1 release=$2 version=$3
for arch in win32 win64; do
  names=$(python3 -c 'import sys, zipfile; print(*sorted(zipfile.ZipFile(sys.argv[1]).namelist()))' \
    "$release/lumvale-$version-$arch.zip")
  [[ $names == "LICENSE.txt README.txt lumvale.exe" ]] || { echo "the $arch zip holds: $names" >&2; exit 1; }
done
folder="$build/release-smoke/Lumvale ✓☃"
rm -rf "$build/release-smoke"
mkdir -p "$folder"
python3 -m zipfile -e "$release/lumvale-$version-win64.zip" "$folder"
# Wine sees the file system as drive Z:.
LUMVALE_RELEASE_EXE="Z:${folder//\//\\}\\lumvale.exe" "$(dirname "$0")/../../scripts/wine-session" exec "$build" \
  "$build/e2e_tests.exe" --gtest_filter='Release.*' --gtest_brief=1
