#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The program for the browser: the two Qts for WebAssembly from the cache
# (built there once, see build-qt.sh), the program from the same
# CMakeLists.txt with Debian's emscripten, once with threads (in BUILD_DIR)
# and once without (in BUILD_DIR/single), the folder, zip and source
# archive (package.sh); and, given the Linux build, the tests that need no
# window run under node and the page checked in Chromium, Firefox and WebKit
# (check.py).
#   packaging/web/build.sh BUILD_DIR CACHE_DIR [LINUX_BUILD_DIR]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=$1
cache=$2
linux=${3:-}
step() {
  start=$(date +%s)
  "$@"
  echo "== web: $1 took $(($(date +%s) - start)) s" >&2
}

line=$(step "$here/build-qt.sh" "$cache" threads)
qt=${line%% *}
rest=${line#* }
qtsource=${rest%% *}
single_qt=$(step "$here/build-qt.sh" "$cache" single)
single_qt=${single_qt%% *}
version=$(sed -n 's/^project(Varnoskel VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
. "$here/emsdk.sh"
emsdk_folder "$cache"

# A build folder configured with another Qt (an earlier cache key) starts
# afresh: its cache and its platform files would go on naming that Qt.
configure() {
  fresh=
  [ "$(cat "$2/qt-prefix.txt" 2> /dev/null)" = "$1" ] || fresh=--fresh
  "$1/bin/qt-cmake" $fresh -S "$top" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
  echo "$1" > "$2/qt-prefix.txt"
}
configure "$qt" "$build"
configure "$single_qt" "$build/single"
step cmake --build "$build" -j2 --target varnoskel
step cmake --build "$build/single" -j2 --target varnoskel
step "$here/package.sh" "$build" "$qt" "$qtsource" "$version" "$build/single"
if [ -n "$linux" ]; then
  # The kernels bit for bit against the one-orbit loop, and the number
  # conversions that stand in for what emscripten's libc++ lacks. Left out:
  # the engine with 64 workers, more than a page's pool can start while its
  # main thread waits.
  step cmake --build "$build" -j2 --target test_support test_kernel test_analysis
  (cd "$build" && step node --no-experimental-fetch "$here/node-test.js" test_support.js &&
    step node --no-experimental-fetch "$here/node-test.js" test_kernel.js \
      theLawIsTheOracles kernelsEqualTheOneOrbitLoop cyclesDrawWhatTheWholeLoopDraws periodicColumnsSkipMostSteps &&
    VARNOSKEL_QUICK=1 step node --no-experimental-fetch "$here/node-test.js" test_analysis.js)
  cmake --build "$linux" -j2 --target sweep_picture
  step /usr/bin/python3 "$here/check.py" "$build/varnoskel" "$linux/tests/sweep_picture" "$build/check"
fi
