#!/usr/bin/env bash
# Starts the installed vura on the X display it is given (under Xvfb, as the
# package job's user) and closes it. $1 is how: "window" (the window
# manager's close request) or "menu" (文件 → 退出). Fails when vura does not
# start, writes no data file into the user's folder, ends by itself, or does
# not end with status 0 within 5 s of closing. Every wait polls for what it
# waits for.
set -eu
here=$(dirname "$0")
. "$here/until.sh"
vura & pid=$!
until_true 200 visible_window --pid "$pid" || { echo "no window within 20 s" >&2; exit 1; }
until_true 50 test -s "$HOME/.local/share/vura/cy.dat" || { echo "no data file written" >&2; exit 1; }
kill -0 "$pid" || { echo "vura ended by itself" >&2; exit 1; }
if [ "$1" = window ]; then
    python3 "$here/close-window.py" "$window"
else
    xdotool mousemove --window "$window" 20 10 click 1   # 文件, at the left of the menu bar
    menu_open() { [ "$(xdotool search --onlyvisible --pid "$pid" | wc -l)" -gt 1 ]; }
    until_true 50 menu_open || { echo "the 文件 menu did not open" >&2; exit 1; }
    xdotool key Up Return                                # 退出, its last item
fi
ended() { ! kill -0 "$pid" 2>/dev/null; }
until_true 50 ended || { echo "vura still runs 5 s after closing" >&2; kill -9 "$pid"; }
status=0; wait "$pid" || status=$?
echo "vura ended with status $status"
exit "$status"
