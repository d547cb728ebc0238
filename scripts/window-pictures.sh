#!/usr/bin/env bash
# Starts quorbel.exe under wine on a virtual display, saves a picture of the
# start-up question about the x264 in use when it comes (answered with Yes),
# of each of its five pages, of the "edit" box of the job list and of its
# system menu, and ends it through "Cancel". Usage:
#   window-pictures.sh PROGRAM_FOLDER OUTPUT_FOLDER
# PROGRAM_FOLDER holds quorbel.exe (its settings and working folders go there).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(cd "$1" && pwd)
out=$(mkdir -p "$2" && cd "$2" && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build-win/wineprefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/prepare-wine-prefix.sh"
driver="$root/build-win/bin/stubs/window_driver.exe"
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  set -e
  wine "$0/quorbel.exe" &
  quorbel=$!
  if wine "$1" question x264; then
    import -window root -crop 640x400+0+0 +repage "$2/question-x264.png"
    wine "$1" answer x264 yes
  fi
  wine "$1" wait
  names=(bitrate rate-control mbs-frames more job)
  for i in 0 1 2 3 4; do
    wine "$1" page $i
    import -window root -crop 320x400+0+0 +repage "$2/page-$i-${names[$i]}.png"
  done
  wine "$1" edit
  import -window root -crop 640x400+0+0 +repage "$2/edit-box.png"
  wine "$1" close-edit
  wine "$1" system-menu
  import -window root -crop 640x400+0+0 +repage "$2/system-menu.png"
  wine "$1" close-menu
  wine "$1" cancel
  wait $quorbel' "$program" "$driver" "$out"
ls "$out"/*.png
