#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a program of the Windows build under Wine: CTest's emulator, and the
# build's own tool. Wine hands no QT_* variable to a Windows program (they
# would be the build machine's), but passes WINEQT_* on as QT_*: so each QT_*
# of the caller goes through as WINEQT_*. The Qt DLLs and the MinGW runtime
# are found on WINEPATH. The program's output goes through a file: a Wine
# process it starts in the background (the desktop's explorer.exe) would
# keep a pipe of the caller open, and CTest would wait for it to its time-out.
#
#   wine-run.sh QT_BIN_DIR RUNTIME_DIR... -- PROGRAM ARGUMENTS...
set -eu
path=
while [ "$1" != "--" ]; do
  path="${path:+$path;}Z:$1"
  shift
done
shift
export WINEPATH="$path"
export WINEDEBUG="${WINEDEBUG:--all}"
for variable in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
  eval "export WINE$variable=\"\$$variable\""
done
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
wine "$@" > "$log" 2>&1 < /dev/null || status=$?
cat "$log"
# A Qt Test program under Wine writes its report into the file named by
# VARNOSKEL_TEST_LOG (its -o option), which is shown here.
if [ -n "${VARNOSKEL_TEST_LOG:-}" ] && [ -f "$VARNOSKEL_TEST_LOG" ]; then cat "$VARNOSKEL_TEST_LOG"; fi
exit "$status"
