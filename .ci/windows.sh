#!/usr/bin/env bash
# Checks the Windows build: ./build.sh windows cross-builds vura.exe and the
# suites against the static Qt in ../shared/toolchains/windows, with the
# tools and the idiom data set of the native build in build/, and runs the
# suites under Wine on Xvfb. Then a copy of vura.exe starts under Wine in an
# empty folder, as a reader starts it: its window must come up, the cy.dat it
# writes beside itself must be the build's data/cy.dat byte for byte and hold
# the same idioms as the native build's, nothing else may be written there,
# nor anything but the reader's own files (reader.sqlite, vura.ini) in the
# per-user folder, and 文件 → 退出 must end it with status 0 within
# 10 s. Took 259 s on two cores with build/ already built (measured on a
# shared machine): 155 s of it the suites under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
wine_prefix="$PWD/build-windows/wine"
cleanup() {
    [ ! -d "$wine_prefix" ] || WINEPREFIX="$wine_prefix" wineserver -k 2>/dev/null || true
}
trap cleanup EXIT
windows_failed() { echo "Windows check failed: $*" >&2; exit 1; }

./build.sh windows
cmp build/data/cy.dat build-windows/data/cy.dat || windows_failed "vura.exe holds other idioms than build/vura"

first_start="$(mktemp -d)"
cp build-windows/vura.exe "$first_start/"
user_folder="$wine_prefix/drive_c/users/$(id -un)/AppData/Local/vura"
rm -rf "$user_folder"
xvfb-run -a -s "-screen 0 1280x1024x24" .ci/lib/windows-probe.sh "$wine_prefix" "$first_start" ||
    windows_failed "the first start of vura.exe under Wine"
cmp build-windows/data/cy.dat "$first_start/cy.dat" || windows_failed "cy.dat beside vura.exe differs from the build's"
[ "$(ls -A "$first_start" | tr '\n' ' ')" = "cy.dat vura.exe " ] ||
    windows_failed "the first start left $(ls -A "$first_start" | tr '\n' ' ')"
# The per-user folder holds the reader's own files (history, word book; zoom
# and window places), never a data file.
[ -z "$(ls -A "$user_folder" 2>/dev/null | grep -v -e '^reader\.sqlite' -e '^vura\.ini$')" ] ||
    windows_failed "the first start wrote $(ls -A "$user_folder" | tr '\n' ' ')into $user_folder"
rm -rf "$first_start"
