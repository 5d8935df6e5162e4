#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# make package-windows, once its packages are there: Qt for Windows (built or
# reused), the program and its tests cross-built, the tests under Wine, the
# three files, and the checks of the MSI and of one sweep's picture against
# the Linux build in LINUX_BUILD. Each step's time is printed.
#
#   build.sh BUILD_DIR QT_CACHE LINUX_BUILD
set -eu
build=$1
cache=$2
linux=$3
top=$(cd "$(dirname "$0")/../.." && pwd)
step() {
  start=$(date +%s)
  "$@"
  echo "== windows: $1 took $(($(date +%s) - start)) s"
}

step "$top/packaging/windows/build-qt.sh" "$cache" > "$linux/windows-qt.txt"
read -r qt qtsource < "$linux/windows-qt.txt"
version=$(sed -n 's/^project(Varnoskel VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")

# A build folder configured with another Qt (an earlier cache key) starts
# afresh: its cache would go on naming that Qt's files.
fresh=
[ "$(cat "$build/qt-prefix.txt" 2> /dev/null)" = "$qt" ] || fresh=--fresh
cmake $fresh -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNOSKEL_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/x86_64-w64-mingw32.cmake" \
  -DVARNOSKEL_WINDOWS_QT="$qt" -DCMAKE_PREFIX_PATH="$qt" -DVARNOSKEL_WINDOWS_QT_SOURCE="$qtsource" > /dev/null
echo "$qt" > "$build/qt-prefix.txt"
step cmake --build "$build" -j2

# Wine in a prefix of the build's own. Its background processes start before
# the tests, so that none of them holds CTest's output open.
WINEPREFIX=$(cd "$build" && pwd)/wine
export WINEPREFIX WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
wineserver -k 2> /dev/null || true  # one left over from an earlier run
wineserver -p
trap 'wineserver -k || true' EXIT
step wine wineboot -i
# The long randomised tests shortened, as on arm64; the reruns on a scaled
# desktop and the Linux install check are left out (see the README).
(cd "$build" && VARNOSKEL_QUICK=1 VARNOSKEL_ACTIONS=1000 \
  step ctest --output-on-failure -j2 -E '_scale2$|^install$')

step "$top/packaging/windows/package.sh" "$build" "$qt" "$qtsource" "$version"
step "$top/packaging/windows/check.sh" "$build" "$linux" "$version" "$qt"
