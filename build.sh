#!/usr/bin/env bash
# Sets up a Debian 12 machine for vura, builds it, and then opens the
# dictionary (./build.sh run) or runs every test (./build.sh test).
#
# VURA_IDIOM_DATA=/path/to/chinese-idioms-12976.txt builds from a local copy
# of the idiom data set instead of downloading it.
# VURA_WARNINGS_AS_ERRORS=1 fails the build on any compiler warning (as CI does).
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev qt6-translations-l10n libsqlite3-dev libfontconfig-dev
          unicode-data bzip2 fonts-arphic-uming fonts-arphic-ukai)

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}

build() {
    local options=(-S . -B build -G Ninja)
    [ -n "${VURA_IDIOM_DATA:-}" ] && options+=("-DVURA_IDIOM_DATA=$VURA_IDIOM_DATA")
    [ -n "${VURA_WARNINGS_AS_ERRORS:-}" ] && options+=(-DCMAKE_COMPILE_WARNING_AS_ERROR=ON)
    cmake "${options[@]}"
    cmake --build build
}

case "${1:-}" in
run)
    install_missing
    build
    exec build/vura
    ;;
test)
    install_missing
    build
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
