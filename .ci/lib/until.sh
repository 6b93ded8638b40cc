# Sourced by the probes: until_true TRIES COMMAND... runs COMMAND every 0.1 s
# until it succeeds, at most TRIES times; it fails when COMMAND never did.
until_true() {
    local tries=$1
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# visible_window SEARCH... sets $window to the first visible window that
# `xdotool search --onlyvisible SEARCH...` finds, and fails when there is
# none; wait for one with until_true. Each try is a fresh xdotool: a window
# that goes while xdotool reads it (Wine opens and drops helper windows as a
# program starts) makes that try die of BadWindow, and only that try.
visible_window() {
    window=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1) || true
    [ -n "$window" ]
}
