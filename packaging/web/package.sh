#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The browser files from a finished build, into BUILD_DIR:
#   varnoskel/                          the folder a web server serves as it is
#   varnoskel-VERSION-web.zip           the same folder, zipped
#   varnoskel-VERSION-web-source.tar.xz the program's and Qt's source, the
#                                       configure line, emscripten's version
#
#   package.sh BUILD_DIR QT_PREFIX QT_SOURCE_DIR VERSION
set -eu
build=$(cd "$1" && pwd)
qt=$2
qtsource=$3
version=$4
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
folder=$build/varnoskel

rm -rf "$folder"
mkdir -p "$folder/lizenzen/Qt"
cp "$build/varnoskel.js" "$build/varnoskel.wasm" "$build/varnoskel.worker.js" "$build/qtloader.js" "$folder/"
cp "$here/serve.py" "$folder/"
bytes=$(stat -c %s "$folder/varnoskel.wasm")
megabytes=$(awk -v b="$bytes" 'BEGIN { printf "%d", (b + 500000) / 1000000 }')
sed "s/@WASM_BYTES@/$bytes/" "$here/index.html" > "$folder/index.html"
sed -e "s/@VERSION@/$version/g" -e "s/@WASM_MB@/$megabytes/g" "$here/LIESMICH.txt" > "$folder/LIESMICH.txt"

# The licences: the program's, Qt's (with the fonts it brings), emscripten's
# runtime and the Liberation fonts, as Debian's packages state them.
cp "$top/COPYING" "$folder/lizenzen/Varnoskel-GPL-3.0-or-later.txt"
cp "$qtsource"/LICENSES/*.txt "$folder/lizenzen/Qt/"
cp "$qtsource/src/3rdparty/wasm/DEJAVU-LICENSE" "$folder/lizenzen/DejaVu-Schriften.txt"
cp "$qtsource/src/3rdparty/wasm/VERA-LICENSE" "$folder/lizenzen/Bitstream-Vera-Schriften.txt"
cp /usr/share/doc/fonts-liberation/copyright "$folder/lizenzen/Liberation-Schriften.txt"
cp /usr/share/doc/emscripten/copyright "$folder/lizenzen/Emscripten.txt"

rm -f "$build/varnoskel-$version-web.zip"
(cd "$build" && cmake -E tar cf "varnoskel-$version-web.zip" --format=zip varnoskel)

# The corresponding source, with Qt's configure line and which emscripten
# built both.
{
  echo "Varnoskel $version for the browser was built from:"
  echo "- varnoskel-$version/: the program's source (make package-web builds everything)"
  echo "- qt6-base/: Debian's source package of Qt, as fetched by apt-get source, and its"
  echo "  configure line (configure.txt)"
  echo "Both were compiled by Debian's emscripten, whose runtime is part of varnoskel.js:"
  dpkg-query -W -f='  ${Package} ${Version}\n' emscripten
} | "$top/packaging/source-archive.sh" "$build" "varnoskel-$version-web-source" "$version" "$qtsource" \
  "$qt/configure.txt"

ls -l "$folder" "$build/varnoskel-$version-web.zip" "$build/varnoskel-$version-web-source.tar.xz"
