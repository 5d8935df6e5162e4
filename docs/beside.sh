#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The whole screen with the orbit window open beside the diagram, on a
# screen of the given size: "Start", then "B" with the pointer over the
# picture at p = 2.9.
#   docs/beside.sh BINARY WIDTHxHEIGHT OUTPUT.png
# Extra environment (QT_SCALE_FACTOR=2, say) reaches the program.
set -eu
binary=$(realpath "$1")
screen=$2
out=$(realpath "$(dirname "$3")")/$(basename "$3")
export binary out
xvfb-run -a -s "-screen 0 ${screen}x24" sh -ec '
  "$binary" &
  pid=$!
  sleep 2
  id=$(xdotool search --name "^Varnoskel$" | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  scale=${QT_SCALE_FACTOR:-1}
  menu=$(( HEIGHT - 624 * scale ))
  at() { echo $(( X + $1 * scale )) $(( Y + menu + $2 * scale )); }
  xdotool mousemove $(at 728 32) click 1; sleep 2     # Start
  xdotool mousemove $(at $(( 32 + 29 * 800 / 30 )) 400) key b; sleep 2
  import -window root "$out"
  kill $pid
'
