#!/usr/bin/env bash
# Takes pictures of the main, chain and review windows in their states, at 100 % and at 200 %, on
# Qt's offscreen platform. The 100 % pictures are the ones README shows, in
# docs/screenshots; the 200 % ones go to build/screenshots-200 for looking at.
#
#   tools/screenshots/take.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build}"
cmake --build "$build" --target vura-screenshots
export QT_QPA_PLATFORM=offscreen
# The pictures' own per-user folder: the zoom they set is not the reader's.
XDG_DATA_HOME="$(mktemp -d)"
export XDG_DATA_HOME
"$build/vura-screenshots" docs/screenshots
"$build/vura-screenshots" "$build/screenshots-200" 一 200
rm -rf "$XDG_DATA_HOME"
echo "100 %: docs/screenshots; 200 %: $build/screenshots-200"
