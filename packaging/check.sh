#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Checks the package the way a school's IT would meet it: the desktop entry
# and the metainfo validated, lintian without errors or warnings, then the package
# installed with apt-get, the installed program started (offscreen) and
# still running after 3 seconds, and the package removed again. As root.
#   packaging/check.sh BUILD_FOLDER
set -eu
build=$(realpath "$1")
cd "$(dirname "$0")"
deb=$(ls "$build"/varnoskel_*.deb)

desktop-file-validate org.varnoskel.Varnoskel.desktop
appstreamcli validate --no-net "$build/packaging/org.varnoskel.Varnoskel.metainfo.xml"
# Errors and warnings fail; infos are shown.
lintian --fail-on error,warning --display-info "$deb"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb"
QT_QPA_PLATFORM=offscreen varnoskel &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
  echo "the installed program did not stay up" >&2
  exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
man -l /usr/share/man/man1/varnoskel.1.gz | head -n 4
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq varnoskel
if command -v varnoskel >/dev/null; then
  echo "the program is still installed after the removal" >&2
  exit 1
fi
echo "package: validated, installed, started, removed"
