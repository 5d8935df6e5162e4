#!/bin/sh
# Takes a screenshot of the real window under a virtual X display.
#   docs/screenshot.sh BINARY OUTPUT.png [SECONDS]
# Extra environment (QT_SCALE_FACTOR=2, say) reaches the program.
set -eu
binary=$1
output=$2
wait=${3:-2}
xvfb-run -a -s "-screen 0 1280x900x24" sh -c "
  $binary &
  pid=\$!
  sleep $wait
  import -window root -crop 1280x900+0+0 '$output'
  kill \$pid
"
