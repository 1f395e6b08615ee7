#!/usr/bin/env bash
# Unpacks the win64 release zip into a folder whose name no code page holds
# and runs the Release scenario on the exe from there.
#   release_smoke.sh BUILD RELEASE_DIR VERSION
set -euo pipefail
folder="$1/release-smoke/Lumvale ✓☃"
rm -rf "$1/release-smoke"
mkdir -p "$folder"
python3 -m zipfile -e "$2/lumvale-$3-win64.zip" "$folder"
# Wine sees the file system as drive Z:.
LUMVALE_RELEASE_EXE="Z:${folder//\//\\}\\lumvale.exe" "$(dirname "$0")/../../scripts/wine-session" exec "$1" \
  "$1/e2e_tests.exe" --gtest_filter='Release.*' --gtest_brief=1
