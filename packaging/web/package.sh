#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The browser files from a finished build, into BUILD_DIR:
#   varnoskel/                          the folder a web server serves as it is:
#                                       the program with threads, einzeln/ the
#                                       one without, the page, its service
#                                       worker, manifest and icons
#   varnoskel-VERSION-web.zip           the same folder, zipped
#   varnoskel-VERSION-web-source.tar.xz the program's and Qt's source, the
#                                       configure line, emscripten's version
#
#   package.sh BUILD_DIR QT_PREFIX QT_SOURCE_DIR VERSION SINGLE_BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
qt=$2
qtsource=$3
version=$4
single=$(cd "$5" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
folder=$build/varnoskel

rm -rf "$folder"
mkdir -p "$folder/lizenzen/Qt" "$folder/einzeln"
cp "$build/varnoskel.js" "$build/varnoskel.wasm" "$build/varnoskel.worker.js" "$build/qtloader.js" "$folder/"
cp "$single/varnoskel.js" "$single/varnoskel.wasm" "$folder/einzeln/"
cp "$here/serve.py" "$here/manifest.webmanifest" "$folder/"
for size in 192 512; do
  convert -background none -density 600 "$top/packaging/org.varnoskel.Varnoskel.svg" -resize "${size}x$size" -depth 8 \
    "$folder/varnoskel-$size.png"
done
bytes=$(stat -c %s "$folder/varnoskel.wasm")
both=$((bytes + $(stat -c %s "$folder/einzeln/varnoskel.wasm")))
megabytes=$(awk -v b="$both" 'BEGIN { printf "%d", (b + 500000) / 1000000 }')
sed -e "s/@WASM_BYTES@/$bytes/" -e "s/@WASM_BYTES_EINZELN@/$(stat -c %s "$folder/einzeln/varnoskel.wasm")/" \
  "$here/index.html" > "$folder/index.html"
# The service worker keeps these, all of one build, named after a hash of them.
files="./ index.html qtloader.js varnoskel.js varnoskel.wasm varnoskel.worker.js einzeln/varnoskel.js
  einzeln/varnoskel.wasm manifest.webmanifest varnoskel-192.png varnoskel-512.png"
kept=$(for f in $files; do printf '"%s", ' "$f"; done | sed 's/, $//')
id=$(cd "$folder" && cat $(echo "$files" | sed 's|\./||') | sha256sum | cut -c1-16)
sed -e "s/@BUILD@/$id/" -e "s|@FILES@|$kept|" "$here/sw.js" > "$folder/sw.js"
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
