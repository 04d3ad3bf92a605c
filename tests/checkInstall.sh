#!/bin/sh
# Installs the build into a scratch prefix and checks that the game lands where
# desktops and software centres look for it: the binary among the games, the
# desktop entry and metainfo under the game's desktop id, the icon at every
# size (each PNG really that many pixels), the man page; and that --version
# tells the version CMake was given.
set -eu
build="$1"
id="$2"
version="$3"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/games/tarnok3d"
entry="$prefix/share/applications/$id.desktop"
grep -qx 'Name=Tarnok 3D' "$entry"
grep -qx 'Exec=tarnok3d %f' "$entry"
grep -qx 'MimeType=application/x-tarnok3d-game;' "$entry"
mime="$prefix/share/mime/packages/$id.xml"
grep -q '<mime-type type="application/x-tarnok3d-game">' "$mime"
grep -q '<glob pattern="\*.tarnok"/>' "$mime"
grep -q '<comment xml:lang="pl">Zapisana gra Tarnok 3D</comment>' "$mime"
grep -qx "Icon=$id" "$entry"
grep -q '^Keywords=' "$entry"
grep -q '^Categories=.*Game;' "$entry"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
grep -q "<id>$id</id>" "$metainfo"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
test -s "$prefix/share/icons/hicolor/scalable/apps/$id.svg"
for size in 16 22 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    set -- $(od -An -tu1 -j16 -N8 "$png")
    width=$(( ($1 << 24) + ($2 << 16) + ($3 << 8) + $4 ))
    height=$(( ($5 << 24) + ($6 << 16) + ($7 << 8) + $8 ))
    if [ "$width" -ne "$size" ] || [ "$height" -ne "$size" ]; then
        echo "$png is ${width}x${height}, not ${size}x${size}"; exit 1
    fi
done
english="$prefix/share/man/man6/tarnok3d.6"
polish="$prefix/share/man/pl/man6/tarnok3d.6"
grep -q '^\.TH TARNOK3D 6' "$english"
grep -q '^\.TH TARNOK3D 6 .*"Gry"$' "$polish"
# Both pages and --help list the same options, made from one list.
options=$(env -u DISPLAY "$prefix/games/tarnok3d" --help | sed -n 's/^  \(-[^ ]*\).*/\1/p' | tr -d ,)
test -n "$options"
for option in $options; do
    roff=$(printf '%s' "$option" | sed 's/-/\\\\-/g')
    for page in "$english" "$polish"; do
        grep -q "^\\\\fB$roff\\\\fR" "$page" || { echo "$page lacks $option"; exit 1; }
    done
done
test "$(env -u DISPLAY "$prefix/games/tarnok3d" --version)" = "Tarnok 3D $version"
# One record is taken, as a document; a second argument is refused with status 2.
status=0
env -u DISPLAY "$prefix/games/tarnok3d" one.tarnok a-second-file 2>/dev/null || status=$?
if [ "$status" -ne 2 ]; then
    echo "a second file must be refused with status 2, not $status"; exit 1
fi
echo "installed and checked in $prefix"
