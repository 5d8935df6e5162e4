#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Debian's qt6-base source, as Debian ships it (its patches applied), fetched
# once per version into the cache for the Windows and the browser Qt and for
# the source archives that go with them. Prints the version and the source
# tree, on one line, last.
#
#   qt-source.sh CACHE_DIR
set -eu
cache=$1
mkdir -p "$cache"

# One caller at a time: the two Qts may be built side by side.
exec 8> "$cache/.source.lock"
flock 8

# Debian's sources, from the archives the machine already uses.
if [ -z "$(apt-cache showsrc qt6-base 2> /dev/null)" ]; then
  [ "$(id -u)" = 0 ] || { echo "Add deb-src entries for Debian's archive and run apt-get update (as root)" >&2; exit 1; }
  echo "Adding deb-src entries beside the machine's deb entries" >&2
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -n '/^Types: deb$/,/^$/p' /etc/apt/sources.list.d/debian.sources | sed 's/^Types: deb$/Types: deb-src/' \
      > /etc/apt/sources.list.d/varnoskel-src.sources
  else
    sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list > /etc/apt/sources.list.d/varnoskel-src.list
  fi
  apt-get update -qq >&2
fi
version=$(apt-cache showsrc qt6-base | sed -n 's/^Version: //p' | sort -V | tail -1)
[ -n "$version" ] || { echo "No qt6-base source is known to apt" >&2; exit 1; }

src=$cache/src-$version
if [ ! -f "$src/.complete" ]; then
  echo "Qt $version: fetching Debian's source into $src" >&2
  rm -rf "$src"
  mkdir -p "$src"
  (cd "$src" && apt-get source -qq qt6-base="$version" >&2)
  touch "$src/.complete"
fi
tree=$(find "$src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
echo "$version $tree"
