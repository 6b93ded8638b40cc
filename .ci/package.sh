#!/usr/bin/env bash
# Checks the Debian package of the tested build in build/: its install tree
# passes the freedesktop and AppStream validators and holds the program, the
# licence texts and every icon; installed with apt-get and run as an
# ordinary user under Xvfb, vura writes its data file into the user's folder
# (the same bytes as the build's, nothing in /usr/bin) and ends with status 0
# within 5 s, once when the window manager closes its window
# (WM_DELETE_WINDOW) and once by 文件 → 退出, which must not rewrite the
# file; removed, it leaves nothing behind. A run that fails on the way leaves
# no package, user or process of its own behind.
set -euo pipefail
cd "$(dirname "$0")/.."

package_user=vura-ci
cleanup() {
    if dpkg-query -W -f='${Status}' vura 2>/dev/null | grep -q "ok installed"; then
        apt-get remove -y vura >/dev/null || true
    fi
    if id "$package_user" >/dev/null 2>&1; then
        pkill -u "$package_user" || true
        userdel --remove "$package_user" 2>/dev/null || true
    fi
}
trap cleanup EXIT
package_failed() { echo "package check failed: $*" >&2; exit 1; }

cmake --build build --target package
debs=(build/vura_*.deb)
[ ${#debs[@]} -eq 1 ] || package_failed "expected one package, found ${debs[*]}"
dpkg-deb --info "${debs[0]}"

tree="$(mktemp -d)"
DESTDIR="$tree" cmake --install build --prefix /usr
appstream_id="$(sed -n 's/^VURA_APPSTREAM_ID:STRING=//p' build/CMakeCache.txt)"
desktop-file-validate "$tree/usr/share/applications/$appstream_id.desktop"
appstreamcli validate --no-net "$tree"/usr/share/metainfo/*.metainfo.xml
appstreamcli validate-tree --no-net "$tree"
for file in bin/vura share/doc/vura/NOTICE share/doc/vura/LICENSE share/doc/vura/Apache-2.0 \
    share/icons/hicolor/scalable/apps/vura.svg; do
    [ -s "$tree/usr/$file" ] || package_failed "the install tree lacks $file"
done
for side in 16 24 32 48 64 96 128 256; do
    file "$tree/usr/share/icons/hicolor/${side}x$side/apps/vura.png" | grep -q "PNG image data, $side x $side," ||
        package_failed "no $side px icon"
done
# Qt comes from the system: the program carries no RPATH of its own.
! readelf -d "$tree/usr/bin/vura" | grep -qE 'RPATH|RUNPATH' || package_failed "bin/vura has an RPATH"
rm -rf "$tree"

apt-get install -y "./${debs[0]}"
command -v vura | grep -qx /usr/bin/vura || package_failed "vura is not installed in /usr/bin"
id "$package_user" >/dev/null 2>&1 || useradd --create-home "$package_user"
package_home="$(getent passwd "$package_user" | cut -d: -f6)"
rm -rf "$package_home/.local/share/vura"
installed_at="$(mktemp)"
run_probe() {
    runuser -u "$package_user" -- env -u QT_QPA_PLATFORM HOME="$package_home" \
        xvfb-run -a -s "-screen 0 1280x1024x24" "$PWD/.ci/lib/installed-probe.sh" "$1" ||
        package_failed "the installed vura, closed by $1"
}
run_probe window
data_file="$package_home/.local/share/vura/cy.dat"
cmp build/data/cy.dat "$data_file" || package_failed "cy.dat in the user's folder differs from the build's"
written_at="$(stat -c "%y %s %i" "$data_file")"
run_probe menu
[ "$(stat -c "%y %s %i" "$data_file")" = "$written_at" ] || package_failed "the second start rewrote cy.dat"
[ -z "$(find /usr/bin -newer "$installed_at")" ] || package_failed "vura wrote into /usr/bin"
rm -f "$installed_at"

apt-get remove -y vura
! dpkg-query -W -f='${Status}' vura 2>/dev/null | grep -q "ok installed" || package_failed "vura is still installed"
[ ! -e /usr/bin/vura ] && [ ! -e "/usr/share/applications/$appstream_id.desktop" ] || package_failed "vura left files behind"
