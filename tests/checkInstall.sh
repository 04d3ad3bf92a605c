#!/bin/sh
# Installs the build into a scratch prefix and checks that the binary, the
# desktop entry and the icon land where desktops look for them.
set -eu
build="$1"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/tarnok3d"
entry="$prefix/share/applications/tarnok3d.desktop"
grep -qx 'Name=Tarnok 3D' "$entry"
grep -qx 'Exec=tarnok3d' "$entry"
grep -qx 'Icon=tarnok3d' "$entry"
grep -q '^Categories=.*Game;' "$entry"
test -s "$prefix/share/icons/hicolor/48x48/apps/tarnok3d.png"
"$prefix/bin/tarnok3d" --version | grep -q '1.0'
if "$prefix/bin/tarnok3d" a-file-the-game-does-not-take 2>/dev/null; then
    echo "an unknown argument must not start the game"; exit 1
fi
echo "installed and checked in $prefix"
