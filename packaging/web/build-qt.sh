#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Qt for WebAssembly, built once from Debian's own qt6-base source with
# Debian's emscripten and kept outside the work tree, beside the Windows Qt.
# The folder's name is the source version and a hash of the options and the
# compiler, so a change of either builds anew; a finished build is reused.
# Prints the prefix, the source tree and the emsdk folder, on one line, last.
#
#   build-qt.sh CACHE_DIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cache=$1
mkdir -p "$cache"
. "$here/emsdk.sh"
emsdk_folder "$cache"
emsdk=$EMSDK

. "$here/../qt-features.sh"

# The same source as the Windows build: fetched (and deb-src added) there.
src_line=$("$here/../qt-source.sh" "$cache")
version=${src_line%% *}
tree=${src_line#* }

# Only what the program needs. Threads for the column engine's pool; the
# rest of the modules off, which also shortens the build, and so are the
# widgets and documents it never shows (../qt-features.sh) and the image
# format plugins (it reads and writes only PNG, which Qt has built in).
options="-platform wasm-emscripten -qt-host-path /usr -static -release -feature-thread
  -nomake tests -nomake examples -no-feature-sql -no-feature-network -no-feature-xml
  -no-feature-dbus -no-feature-printsupport -no-feature-concurrent -no-feature-imageformatplugin
  $(qt_features_off '-no-feature-%s')"
# Precompiled headers, which Qt leaves off for the browser unless the feature
# itself is asked for (configure's -pch does not): each of its files spends
# most of its compile on Qt's own headers, parsed once per module with them.
cmake_options="-DFEATURE_precompile_header=ON"
compiler=$(emcc --version | head -1)
key=$(printf '%s\n%s\n%s\n%s\n' "$version" "$options" "$cmake_options" "$compiler" | sha256sum | cut -c1-12)
prefix=$cache/qt-$version-wasm-$key

# One build of each Qt at a time: CI starts them beside its other steps, and
# a second caller waits for that build to finish rather than starting over.
exec 9> "$prefix.lock"
flock -n 9 || { echo "Qt $version for the browser: waiting for the build under way" >&2; flock 9; }
if [ -f "$prefix/.complete" ]; then
  echo "Qt $version for the browser: reusing $prefix" >&2
  echo "$prefix $tree $emsdk"
  exit 0
fi

echo "Qt $version for the browser: building into $prefix (about 20 minutes on two cores)" >&2
build=$cache/build-$version-wasm-$key
rm -rf "$build" "$prefix"
mkdir -p "$build"
start=$(date +%s)
# shellcheck disable=SC2086 # the options are words
(cd "$build" && "$tree/configure" -prefix "$prefix" $options -- -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake $cmake_options) >&2
cmake --build "$build" -j2 >&2
cmake --install "$build" >&2
rm -rf "$build"
printf 'Debian source package qt6-base %s, configured with:\nconfigure %s -- %s\n' "$version" "$options" "$cmake_options" \
  > "$prefix/configure.txt"
echo "$version" > "$prefix/.complete"
echo "Qt $version for the browser: built in $(($(date +%s) - start)) s" >&2
echo "$prefix $tree $emsdk"
