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
