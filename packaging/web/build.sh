#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The program for the browser: Qt for WebAssembly from the cache (built
# there once, see build-qt.sh), then the program from the same
# CMakeLists.txt with Debian's emscripten.
#   packaging/web/build.sh BUILD_DIR CACHE_DIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=$1
cache=$2
line=$("$here/build-qt.sh" "$cache")
qt=${line%% *}
. "$here/emsdk.sh"
emsdk_folder "$cache"
"$qt/bin/qt-cmake" -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j2 --target varnoskel
