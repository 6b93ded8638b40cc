#!/usr/bin/env bash
# Runs a program of a Windows build under Wine, in the given prefix (made by
# wine-prefix.sh); CTest's emulator in a cross build (cmake/Windows.cmake):
#   tools/windows/wine-run.sh PREFIX PROGRAM.exe [ARGUMENT...]
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
exec "$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)" "$@"
