#!/usr/bin/env bash
# Runs a program of a Windows build under Wine, in the given prefix (made by
# wine-prefix.sh); CTest's emulator in a cross build (cmake/Windows.cmake):
#   tools/windows/wine-run.sh PREFIX PROGRAM.exe [ARGUMENT...]
# It ends with the program's status.
# Wine keeps the QT_* variables of Linux from Windows programs and hands
# WINEQT_* on as QT_*, so a test's QT_* settings go on that way. Qt Test
# writes to the debugger instead of stdout when no console is attached, as
# under Wine it never is: QT_FORCE_STDERR_LOGGING brings its output back.
set -euo pipefail
export WINEPREFIX="$1"
shift
export WINEDEBUG="${WINEDEBUG:--all}"
export QT_FORCE_STDERR_LOGGING=1
for name in $(compgen -e | grep '^QT_' || true); do
    export "WINE$name=${!name}"
done
wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
# Wine's own processes (its services and desktop) start with the first program
# in a prefix and keep that program's output open until the last Wine program
# has ended, so under CTest the first suite would seem to run to the end of the
# whole run. The output goes through a file instead, shown when the program ends.
output="$(mktemp)"
status=0
"$wine" "$@" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
rm -f "$output"
exit "$status"
