#!/usr/bin/env bash
# Starts vura.exe under Wine on the X display it is given, as a reader starts
# it, and quits it by 文件 → 退出:
#   windows-probe.sh WINE_PREFIX FOLDER_WITH_VURA_EXE
# Fails when no window comes up within 60 s, when vura.exe ends by itself, or
# when it does not end with status 0 within 10 s of 退出. What it wrote is
# checked by the caller.
set -eu
here=$(dirname "$0")
. "$here/until.sh"
"$here/../../tools/windows/wine-run.sh" "$1" "$2/vura.exe" & pid=$!
until_true 600 visible_window --name "岚舟·vura" || { echo "no window within 60 s" >&2; exit 1; }
until_true 100 test -f "$2/cy.dat" || true   # the caller's checks say what is missing
kill -0 "$pid" || { echo "vura.exe ended by itself" >&2; exit 1; }
windows_shown() { xdotool search --onlyvisible --name "" 2>/dev/null | wc -l; }
before=$(windows_shown)
menu_open() { [ "$(windows_shown)" -gt "$before" ]; }
xdotool mousemove --window "$window" 20 10 click 1   # 文件, at the left of the menu bar
until_true 100 menu_open || true
xdotool key Up Return                                # 退出, its last item
ended() { ! kill -0 "$pid" 2>/dev/null; }
until_true 100 ended || { echo "vura.exe still runs 10 s after 退出" >&2; kill -9 "$pid"; }
status=0; wait "$pid" || status=$?
echo "vura.exe ended with status $status"
WINEPREFIX="$1" wineserver -k 2>/dev/null || true   # Wine's desktop process, before the X server goes
exit "$status"
