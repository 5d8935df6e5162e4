#!/bin/sh
# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Uses the program as a person would, in a real window under a virtual X
# display, and keeps screenshots of what it shows:
#   window.png   the window as it opens
#   diagram.png  after "Start"
#   zoomed.png   after three zooms into the period-doubling cascade
#   back.png     after "zurück"
#   max.png      after "max"
#   orbit.png    the orbit window, "B" pressed with the pointer at p = 2.9,
#                and its second orbit switched on
#   lyapunov.png the exponent over p ("L"), with the orbit's p marked
#   feigenbaum.png  the cascade's table ("F")
#   docs/tour.sh BINARY OUTPUT_FOLDER
# Extra environment (QT_SCALE_FACTOR=2, say) reaches the program.
set -eu
binary=$(realpath "$1")
out=$(realpath "$2")
mkdir -p "$out"
export binary out
xvfb-run -a -s "-screen 0 1800x1300x24" sh -ec '
  "$binary" &
  pid=$!
  sleep 2
  id=$(xdotool search --name "^Varnoskel$" | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$id")"   # X, Y, WIDTH, HEIGHT
  scale=${QT_SCALE_FACTOR:-1}
  menu=$(( HEIGHT - 624 * scale ))                    # the menu bar above the client area
  shot() { import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$out/$1"; }
  # A point of the client area, in layout pixels.
  at() { echo $(( X + $1 * scale )) $(( Y + menu + $2 * scale )); }
  press() { xdotool mousemove $(at "$1" "$2") click 1; sleep "${3:-1}"; }
  # A point (p, X) of the drawing surface in the window shown: p from $l to $r, X from $top down by $h.
  surface() { awk -v p="$1" -v x="$2" -v l="$3" -v r="$4" -v t="$5" -v h="$6" \
      "BEGIN { printf \"%d %d\", 32 + (p - l) / (r - l) * 800, 112 + (t - x) / h * 480 }"; }

  shot window.png
  press 728 32                                        # Start
  shot diagram.png
  press 628 59; press $(surface 2.3 1.35 0 3 1.5 1.5)   # Fenster, then p 1.5..3, X .6..1.35
  press 628 59; press $(surface 2.4 1.35 1.5 3 1.35 0.75)  # p 2.25..3, X .975..1.35
  press 628 59; press $(surface 2.45 1.3 2.25 3 1.35 0.375) # p 2.45..2.825, X 1.11..1.3
  shot zoomed.png
  press 656 83                                        # zurück
  shot back.png
  press 616 83                                        # max
  shot max.png
  xdotool mousemove $(at $(surface 2.9 0.3 0 3 1.5 1.5)) key b   # the orbit behind the column at p = 2.9
  sleep 1
  orbit=$(xdotool search --name "^Bahn bei p" | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$orbit")"
  xdotool mousemove $(( X + 20 * scale )) $(( Y + HEIGHT - 20 * scale )) click 1   # the second orbit
  sleep 1
  import -window "$orbit" "$out/orbit.png"
  xdotool windowfocus "$id" key l                     # the exponent over p
  sleep 2
  import -window "$(xdotool search --name "^Lyapunov-Exponent" | head -n 1)" "$out/lyapunov.png"
  xdotool windowfocus "$id" key f                     # the cascade, filling row by row
  sleep 10
  import -window "$(xdotool search --name "^Feigenbaum-Konstante" | head -n 1)" "$out/feigenbaum.png"
  kill $pid
'
