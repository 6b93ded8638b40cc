#!/usr/bin/env bash
# Makes the Wine prefix in which a Windows build's vura.exe and test suites
# run on Linux:
#   tools/windows/wine-prefix.sh PREFIX
# It boots the prefix once (wineboot -i, without Mono and Gecko, which vura
# does not use), puts the Arphic fonts where Wine finds them and maps the
# faces a Chinese Windows has (宋体, 楷体 and their English names) to them, so
# that the windows show Chinese where a Windows machine has its own fonts.
# 楷体_GB2312, which the card asks for, is left out as on Windows since
# Vista: the program's substitutions (src/widgets/fonts.cpp) find 楷体.
# Running it again on a ready prefix only refreshes the fonts and names.
set -euo pipefail
prefix=$(realpath -m "$1")
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)

mkdir -p "$prefix"
if [ ! -f "$prefix/system.reg" ]; then
    echo "Booting the Wine prefix $prefix"
    wineboot -i >"$prefix/wineboot.log" 2>&1 </dev/null
fi

# AR PL UMing for the Song faces, AR PL UKai for the Kai faces.
arphic=/usr/share/fonts/truetype/arphic
for font in uming.ttc ukai.ttc; do
    [ -f "$arphic/$font" ] || { echo "$arphic/$font is missing (fonts-arphic-uming, fonts-arphic-ukai)" >&2; exit 1; }
    ln -sf "$arphic/$font" "$prefix/drive_c/windows/Fonts/$font"
done
# Listed under the names of a Chinese Windows (Wine's font replacements:
# the faces are enumerated under these names, as Qt looks them up).
replacements='HKCU\Software\Wine\Fonts\Replacements'
for face in 宋体 SimSun 新宋体 NSimSun 微软雅黑 "Microsoft YaHei"; do
    "$wine" reg add "$replacements" /v "$face" /d "AR PL UMing CN" /f >/dev/null 2>&1
done
for face in 楷体 KaiTi; do
    "$wine" reg add "$replacements" /v "$face" /d "AR PL UKai CN" /f >/dev/null 2>&1
done
wineserver -w
touch "$prefix/vura-prefix.stamp"
