#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The Windows package as school IT would take it, under Wine: the MSI
# installs silently, the installed program starts and shows its window (a
# screenshot under a virtual display: BUILD_DIR/windows.png), the MSI
# removes it silently again. Then one sweep's picture from the Windows build
# and from the Linux build in LINUX_BUILD: their orbit points must be the
# same pixels.
#
#   check.sh BUILD_DIR LINUX_BUILD VERSION QT_PREFIX
set -eu
build=$(cd "$1" && pwd)
linux=$(cd "$2" && pwd)
version=$3
qt=$4
msi="$build/varnoskel-$version-windows-x86_64.msi"
installed="$WINEPREFIX/drive_c/Program Files/Varnoskel"
# The package is for all users (ALLUSERS=1): Windows puts the entry into the
# common Start menu; Wine puts it into the installing user's.
entries() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Varnoskel.lnk' 2> /dev/null; }
fail() {
  echo "check: $*" >&2
  exit 1
}

wine msiexec /i "$(winepath -w "$msi")" /qn
[ -f "$installed/varnoskel.exe" ] || fail "the MSI installed no varnoskel.exe"
[ -f "$installed/platforms/qwindows.dll" ] || fail "the MSI installed no platform plugin"
[ -n "$(entries)" ] || fail "the MSI made no Start-menu entry"
echo "check: the MSI installed silently into C:\\Program Files\\Varnoskel, with a Start-menu entry"

# The installed program on a virtual display, until its window shows; a
# click on "Start", and a picture of the window with its diagram. Wine's
# desktop process starts afresh, on that display.
wineserver -k 2> /dev/null || true
display=:$((90 + $$ % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
(cd "$installed" && DISPLAY=$display exec wine varnoskel.exe > /dev/null 2>&1) &
program=$!
shown=
for _ in $(seq 120); do
  if shown=$(DISPLAY=$display xdotool search --onlyvisible --name '^Varnoskel$' 2> /dev/null); then break; fi
  sleep 0.5
done
if [ -n "$shown" ]; then
  sleep 2
  # "Start" lies 728 px right and 52 px down in the window, menu bar included.
  DISPLAY=$display xdotool mousemove --window "$shown" 728 52 click 1
  sleep 3
  DISPLAY=$display xdotool mousemove --window "$shown" 600 400
  sleep 1
  DISPLAY=$display import -window "$shown" "$build/windows.png"
fi
kill "$program" 2> /dev/null || true
wineserver -k 2> /dev/null || true
kill "$xvfb" 2> /dev/null || true
wineserver -p || true
[ -n "$shown" ] || fail "the installed program showed no window"
echo "check: the installed program started and showed its window ($build/windows.png)"

wine msiexec /x "$(winepath -w "$msi")" /qn
[ ! -e "$installed/varnoskel.exe" ] || fail "the MSI left varnoskel.exe behind"
[ -z "$(entries)" ] || fail "the MSI left its Start-menu entry behind"
echo "check: the MSI removed the program silently"

# One sweep, both builds: the same orbit points, pixel for pixel.
QT_QPA_PLATFORM=offscreen "$linux/tests/sweep_picture" "$build/sweep-linux.png" "$build/points-linux.png"
QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR="Z:$build/fonts" VARNOSKEL_TEST_LOG= \
  "$(dirname "$0")/../../cmake/wine-run.sh" "$qt/bin" \
  "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")" /usr/x86_64-w64-mingw32/lib -- \
  "$build/tests/sweep_picture.exe" "Z:$build/sweep-windows.png" "Z:$build/points-windows.png"
differing=$(compare -metric AE "$build/points-linux.png" "$build/points-windows.png" null: 2>&1 || true)
labels=$(compare -metric AE "$build/sweep-linux.png" "$build/sweep-windows.png" null: 2>&1 || true)
echo "check: one sweep, Linux against Windows: $differing orbit pixels differ ($labels pixels of the whole picture, frame labels included)"
[ "$differing" = 0 ] || fail "the Windows build draws other orbit points than the Linux build"
