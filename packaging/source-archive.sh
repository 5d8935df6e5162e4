#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The corresponding source of a build that carries a Qt of its own (Windows,
# the browser): the program's tree as committed, Debian's qt6-base source
# package exactly as fetched, the files that say how that Qt was configured,
# and QUELLEN.txt, read from standard input. Writes OUT_DIR/NAME.tar.xz.
#   source-archive.sh OUT_DIR NAME VERSION QT_SOURCE_DIR QT_FILE... < QUELLEN.txt
set -eu
out=$(cd "$1" && pwd)
name=$2
version=$3
qtsource=$4
shift 4
top=$(cd "$(dirname "$0")/.." && pwd)
stage=$out/source-stage
src=$stage/$name

rm -rf "$stage"
mkdir -p "$src/qt6-base"
git -C "$top" archive --format=tar --prefix="varnoskel-$version/" HEAD | tar -x -C "$src"
find "$(dirname "$qtsource")" -maxdepth 1 -type f \( -name '*.dsc' -o -name '*.tar.*' \) -exec cp {} "$src/qt6-base/" \;
cp "$@" "$src/qt6-base/"
cat > "$src/QUELLEN.txt"
rm -f "$out/$name.tar.xz"
tar -C "$stage" -cJf "$out/$name.tar.xz" "$name"
rm -rf "$stage"
