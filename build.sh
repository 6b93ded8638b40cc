#!/usr/bin/env bash
# Sets up a Debian 12 machine for vura, builds it, and then opens the
# dictionary (./build.sh run) or runs every test (./build.sh test).
# ./build.sh windows cross-builds vura.exe for 64-bit Windows and runs the
# test suites under Wine (see windows_build below).
#
# VURA_IDIOM_DATA=/path/to/chinese-idioms-12976.txt builds from a local copy
# of the idiom data set instead of downloading it; without either, configure
# stops. VURA_SAMPLE_DATA=1 builds with only the sample of a few dozen idioms.
# VURA_WARNINGS_AS_ERRORS=1 fails the build on any compiler warning (as CI does).
set -euo pipefail
cd "$(dirname "$0")"

# Reading aloud: Qt's speech module (whose CMake files want qt6-declarative-dev)
# with its speech-dispatcher plugin, and speech-dispatcher with espeak-ng.
# 取词's global key grabs it through xcb, and its card hears of clicks in
# other programs through xcb's XInput; its tests on a real X server want
# Xvfb, and xdotool to press the key and click.
packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev qt6-translations-l10n libsqlite3-dev libfontconfig-dev
          unicode-data bzip2 fonts-arphic-uming fonts-arphic-ukai
          qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin speech-dispatcher espeak-ng
          speech-dispatcher-espeak-ng libxcb1-dev libxcb-xinput-dev xvfb xauth xdotool)

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

# The Windows build: the static Qt and SQLite for MinGW-w64 (made by
# tools/windows/build-qt.sh) from ../shared/toolchains/windows, or from the
# archive named by VURA_WINDOWS_QT, unpacked into build-windows/toolchain;
# the build-time tools from a native build (build/ when it is a native Ninja
# build of this source, else build-host/), whose idiom data set vura.exe
# holds too; vura.exe and the suites cross-built in build-windows/ with
# tools/windows/mingw-w64.cmake, and the suites run under Wine on Xvfb in the
# prefix build-windows/wine, which the build makes.
windows_packages=(wine wine64 g++-mingw-w64-x86-64-posix xvfb xauth xz-utils)

windows_build() {
    local archive
    archive="$(realpath -m "${VURA_WINDOWS_QT:-../shared/toolchains/windows/vura-mingw-qt6.4.2-static.tar.xz}")"
    if [ ! -f "$archive" ]; then
        echo "The static Qt for Windows is missing: $archive" >&2
        echo "Make it with tools/windows/build-qt.sh and name it with VURA_WINDOWS_QT=/path/to/it." >&2
        exit 1
    fi
    local host=build-host
    if [ -f build/CMakeCache.txt ] &&
        grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=$PWD" build/CMakeCache.txt &&
        grep -qx "CMAKE_GENERATOR:INTERNAL=Ninja" build/CMakeCache.txt &&
        ! grep -q "^CMAKE_TOOLCHAIN_FILE:" build/CMakeCache.txt; then
        host=build
    fi
    configure "$host"
    cmake --build "$host" --target vura-import vura-icons vura-unihan

    # A build folder made with another toolchain file is made again.
    if [ -f build-windows/CMakeCache.txt ] && ! grep -q "^CMAKE_TOOLCHAIN_FILE:[A-Z]*=$PWD/tools/windows/mingw-w64.cmake\$" \
        build-windows/CMakeCache.txt; then
        rm -rf build-windows/CMakeCache.txt build-windows/CMakeFiles
    fi
    local qt=build-windows/toolchain/vura-mingw
    if [ ! -f "$qt.unpacked" ] || [ "$archive" -nt "$qt.unpacked" ] ||
        [ "$(cat "$qt.unpacked")" != "$archive" ]; then
        rm -rf "$qt" && mkdir -p build-windows/toolchain
        tar -C build-windows/toolchain -xJf "$archive"
        echo "$archive" >"$qt.unpacked"
    fi
    # VURA_IDIOM_DATA empty: the data set is the native build's (host-tools.cmake).
    cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/tools/windows/mingw-w64.cmake" -DCMAKE_PREFIX_PATH="$PWD/$qt" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(gcc -print-multiarch)/cmake" \
        -DVURA_HOST_TOOLS="$PWD/$host/host-tools.cmake" -DVURA_IDIOM_DATA=
    cmake --build build-windows

    local status=0
    # Wine's processes end before the X server does.
    WINEPREFIX="$PWD/build-windows/wine" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
        'ctest --test-dir build-windows --output-on-failure -j "$(nproc)"; status=$?; wineserver -k 2>/dev/null; exit $status' ||
        status=$?
    echo "Skipped under Wine:"
    grep -a "^SKIP" build-windows/Testing/Temporary/LastTest.log || echo "  nothing"
    return "$status"
}

# Configures the native build in folder $1.
configure() {
    local options=(-S . -B "$1" -G Ninja)
    [ -n "${VURA_IDIOM_DATA:-}" ] && options+=("-DVURA_IDIOM_DATA=$VURA_IDIOM_DATA")
    [ -n "${VURA_SAMPLE_DATA:-}" ] && options+=(-DVURA_SAMPLE_DATA=ON)
    [ -n "${VURA_WARNINGS_AS_ERRORS:-}" ] && options+=(-DCMAKE_COMPILE_WARNING_AS_ERROR=ON)
    cmake "${options[@]}"
}

build() {
    configure build
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
windows)
    packages+=("${windows_packages[@]}")
    install_missing
    windows_build
    ;;
packages)
    # Every Debian package the three builds need, one a line (for CI).
    printf '%s\n' "${packages[@]}" "${windows_packages[@]}"
    ;;
*)
    echo "usage: $0 run|test|windows|packages" >&2
    exit 2
    ;;
esac
