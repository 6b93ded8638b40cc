#!/usr/bin/env bash
# Builds the static Qt 6.4.2 (qtbase and qtsvg) and SQLite 3.40.1 for
# x86_64-w64-mingw32 that ./build.sh windows links vura.exe against, as the
# archive vura-mingw-qt6.4.2-static.tar.xz (one folder, vura-mingw/):
#   tools/windows/build-qt.sh OUTPUT_FOLDER [WORK_FOLDER]
# then: VURA_WINDOWS_QT=OUTPUT_FOLDER/vura-mingw-qt6.4.2-static.tar.xz ./build.sh windows
#
# The sources are Debian 12's source archives of qt6-base, qt6-svg (Qt's own
# release tarball of qtsvg 6.4.2) and sqlite3. Each is taken from the folder
# VURA_QT_SOURCES when it is there, else downloaded from snapshot.debian.org;
# either way it is used only when its SHA-256 is the one pinned below (from
# Debian's signed source index).
#
# About an hour on 2 cores, and 3 GB in WORK_FOLDER (default /tmp/vura-qt).
# Needs: g++-mingw-w64-x86-64-posix, qt6-base-dev and qt6-base-dev-tools (the
# host tools: moc, rcc and uic of the same Qt 6.4.2), cmake, ninja-build,
# perl, tcl (for SQLite's amalgamation), make, xz-utils, and curl unless the
# sources are all in VURA_QT_SOURCES. It stands alone, so that the copy in
# the Windows ZIP rebuilds the Qt inside vura.exe as well.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 OUTPUT_FOLDER [WORK_FOLDER]" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
output=$(realpath -m "$1")
work=$(realpath -m "${2:-/tmp/vura-qt}")
prefix="$work/vura-mingw"
snapshot=https://snapshot.debian.org/archive/debian/20250520T000000Z/pool/main

# name, SHA-256, download address
sources=(
    "qt6-base_6.4.2+dfsg.orig.tar.xz" 4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e
    "$snapshot/q/qt6-base/qt6-base_6.4.2%2Bdfsg.orig.tar.xz"
    "qt6-svg_6.4.2.orig.tar.xz" b746af3cb1793621d8ed7eae38d9ad5a15541dc2742031069f2ae3fe87590314
    "$snapshot/q/qt6-svg/qt6-svg_6.4.2.orig.tar.xz"
    "sqlite3_3.40.1.orig.tar.xz" aaa776260ab4dc976db34aa7891819484c8676b5b2783123ebc6301e2ca5d655
    "$snapshot/s/sqlite3/sqlite3_3.40.1.orig.tar.xz"
)

mkdir -p "$work/sources" "$output"
cd "$work"
for ((i = 0; i < ${#sources[@]}; i += 3)); do
    name=${sources[i]} sum=${sources[i + 1]} url=${sources[i + 2]}
    file="sources/$name"
    if [ ! -f "$file" ] && [ -f "${VURA_QT_SOURCES:-/nonexistent}/$name" ]; then
        cp "$VURA_QT_SOURCES/$name" "$file"
    fi
    if [ ! -f "$file" ]; then
        echo "Downloading $name"
        curl -fL --retry 3 -o "$file.part" "$url" || { rm -f "$file.part"; exit 1; }
        mv "$file.part" "$file"
    fi
    if ! echo "$sum  $file" | sha256sum --check --quiet; then
        echo "$file is not the pinned $name: remove it, or give the right one in VURA_QT_SOURCES" >&2
        exit 1
    fi
done

# Each archive unpacked into a folder named for what it holds.
unpack() {
    local top
    top=$(tar -tJf "sources/$1" | head -n 1 | cut -d/ -f1)
    rm -rf "$top" "$2"
    tar -xJf "sources/$1"
    mv "$top" "$2"
}
unpack qt6-base_6.4.2+dfsg.orig.tar.xz qtbase-src
unpack qt6-svg_6.4.2.orig.tar.xz qtsvg-src
unpack sqlite3_3.40.1.orig.tar.xz sqlite-src
rm -rf "$prefix" qtbase-build qtsvg-build sqlite-amalg

# SQLite: the amalgamation, built as a static library.
mkdir -p sqlite-amalg "$prefix/include" "$prefix/lib"
(cd sqlite-amalg && ../sqlite-src/configure --disable-tcl >/dev/null && make sqlite3.c)
x86_64-w64-mingw32-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_FTS5 -c sqlite-amalg/sqlite3.c \
    -o sqlite-amalg/sqlite3.o
x86_64-w64-mingw32-ar rcs "$prefix/lib/libsqlite3.a" sqlite-amalg/sqlite3.o
cp sqlite-amalg/sqlite3.h "$prefix/include/"

# qtbase: Core, Gui, Widgets, Test and the platform plugins; no network, SQL,
# OpenGL or D-Bus, which vura does not use. Debian's source leaves out the
# Wintab header, so tablet events are off.
mkdir -p qtbase-build
(cd qtbase-build &&
    ../qtbase-src/configure -prefix "$prefix" -xplatform win32-g++ -qt-host-path /usr \
        -static -release -opensource -confirm-license -nomake examples -nomake tests \
        -no-opengl -no-dbus -no-icu -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz \
        -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-concurrent -no-feature-xml \
        -no-feature-tabletevent \
        -- -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(gcc -print-multiarch)/cmake" &&
    cmake --build . --parallel && cmake --install .)

# qtsvg against it.
mkdir -p qtsvg-build
(cd qtsvg-build && "$prefix/bin/qt-configure-module" ../qtsvg-src &&
    cmake --build . --parallel && cmake --install .)

tar -C "$work" -cJf "$output/vura-mingw-qt6.4.2-static.tar.xz" vura-mingw
echo "Made $output/vura-mingw-qt6.4.2-static.tar.xz"
