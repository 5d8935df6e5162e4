#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Qt for WebAssembly, built once from Debian's own qt6-base source with
# Debian's emscripten and kept outside the work tree, beside the Windows Qt.
# Two of them: with threads (the page where the browser gives shared memory)
# and without (where it does not). The folder's name is the source version
# and a hash of the options and the compiler, so a change of either builds
# anew; a finished build is reused. Prints the prefix, the source tree and
# the emsdk folder, on one line, last.
#
#   build-qt.sh CACHE_DIR [threads|single]
#
# The threaded Qt keeps the results of its configure's compile checks; the
# one without threads starts from them (Qt's configure tries some hundred
# small programs with emcc, a few seconds each), all but the checks that
# threads may change.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cache=$1
variant=${2:-threads}
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
# Without threads (and without the test library: the tests under node use
# the threaded Qt).
[ "$variant" = single ] && options=$(echo "$options" | sed 's/-feature-thread/-no-feature-thread -no-feature-testlib/')
# Precompiled headers, which Qt leaves off for the browser unless the feature
# itself is asked for (configure's -pch does not): each of its files spends
# most of its compile on Qt's own headers, parsed once per module with them.
cmake_options="-DFEATURE_precompile_header=ON"
compiler=$(emcc --version | head -1)
key=$(printf '%s\n%s\n%s\n%s\n' "$version" "$options" "$cmake_options" "$compiler" | sha256sum | cut -c1-12)
prefix=$cache/qt-$version-wasm-$key
[ "$variant" = single ] && prefix=$cache/qt-$version-wasm-single-$key
# The threaded Qt's compile checks, for the other one.
checks=$cache/wasm-configure-checks-$(printf '%s\n%s\n' "$version" "$compiler" | sha256sum | cut -c1-12).cmake

# One build of each Qt at a time: CI starts them beside its other steps, and
# a second caller waits for that build to finish rather than starting over.
exec 9> "$prefix.lock"
flock -n 9 || { echo "Qt $version for the browser: waiting for the build under way" >&2; flock 9; }
if [ -f "$prefix/.complete" ]; then
  echo "Qt $version for the browser: reusing $prefix" >&2
  echo "$prefix $tree $emsdk"
  exit 0
fi

echo "Qt $version for the browser ($variant): building into $prefix (about 20 minutes on two cores)" >&2
build=$cache/build-$version-wasm-$variant-$key
rm -rf "$build" "$prefix"
mkdir -p "$build"
start=$(date +%s)
initial=
if [ "$variant" = single ] && [ -f "$checks" ]; then
  initial="-C $checks"
  echo "Qt $version for the browser ($variant): the threaded Qt's compile checks reused" >&2
fi
# shellcheck disable=SC2086 # the options are words
(cd "$build" && "$tree/configure" -prefix "$prefix" $options -- -G Ninja $initial \
  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake $cmake_options) >&2
echo "Qt $version for the browser ($variant): configured in $(($(date +%s) - start)) s" >&2
if [ "$variant" = threads ]; then
  # The results of the checks that compile, as a cache script; not those of
  # threads and atomics, which the other Qt answers for itself.
  grep -E '^(TEST|HAVE)_[A-Za-z0-9_]*:INTERNAL=' "$build/CMakeCache.txt" | grep -viE 'thread|atomic|futex' |
    sed -E 's/^([A-Za-z0-9_]+):INTERNAL=(.*)$/set(\1 "\2" CACHE INTERNAL "")/' > "$checks.part"
  mv "$checks.part" "$checks"
fi
cmake --build "$build" -j2 >&2
cmake --install "$build" >&2
rm -rf "$build"
printf 'Debian source package qt6-base %s, configured with:\nconfigure %s -- %s\n' "$version" "$options" "$cmake_options" \
  > "$prefix/configure.txt"
echo "$version" > "$prefix/.complete"
echo "Qt $version for the browser ($variant): built in $(($(date +%s) - start)) s" >&2
echo "$prefix $tree $emsdk"
