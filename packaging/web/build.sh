#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The program for the browser: Qt for WebAssembly from the cache (built
# there once, see build-qt.sh), the program from the same CMakeLists.txt with
# Debian's emscripten, the folder, zip and source archive (package.sh); and,
# given the Linux build, the tests that need no window run under node and
# the page checked in headless Chromium (check.py).
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

line=$(step "$here/build-qt.sh" "$cache")
qt=${line%% *}
rest=${line#* }
qtsource=${rest%% *}
version=$(sed -n 's/^project(Varnoskel VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
. "$here/emsdk.sh"
emsdk_folder "$cache"

# A build folder configured with another Qt (an earlier cache key) starts
# afresh: its cache and its platform files would go on naming that Qt.
fresh=
[ "$(cat "$build/qt-prefix.txt" 2> /dev/null)" = "$qt" ] || fresh=--fresh
"$qt/bin/qt-cmake" $fresh -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
echo "$qt" > "$build/qt-prefix.txt"
step cmake --build "$build" -j2 --target varnoskel
step "$here/package.sh" "$build" "$qt" "$qtsource" "$version"
if [ -n "$linux" ]; then
  # The kernels bit for bit against the one-orbit loop, and the number
  # conversions that stand in for what emscripten's libc++ lacks. Left out:
  # the engine with 64 workers, more than a page's pool can start while its
  # main thread waits.
  step cmake --build "$build" -j2 --target test_support test_kernel
  (cd "$build" && step node --no-experimental-fetch "$here/node-test.js" test_support.js &&
    step node --no-experimental-fetch "$here/node-test.js" test_kernel.js \
      theLawIsTheOracles kernelsEqualTheOneOrbitLoop cyclesDrawWhatTheWholeLoopDraws)
  cmake --build "$linux" -j2 --target sweep_picture
  step python3 "$here/check.py" "$build/varnoskel" "$linux/tests/sweep_picture" "$build/check"
fi
