#!/usr/bin/env bash
# Starts quorbel.exe under wine on a virtual display, saves a picture of the
# start-up question about the x264 in use when it comes (answered with Yes),
# of each of its five pages, of the "edit" box of a job queued for CLIP and
# of its system menu, and ends it through "Cancel". Usage:
#   window-pictures.sh PROGRAM_FOLDER OUTPUT_FOLDER CLIP
# PROGRAM_FOLDER holds quorbel.exe and x264.exe (its settings and working
# folders go there); CLIP is a video x264 reads itself (a .y4m), and its job
# writes CLIP's name with .mkv, which stays unwritten (nothing is started).
# Every step has a time limit; a step that fails or times out ends the
# program and this script with a line naming the step. WINDOW_DRIVER names
# another window_driver.exe than the Windows build tree's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
program=$(cd "$1" && pwd)
out=$(mkdir -p "$2" && cd "$2" && pwd)
clip=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
export WINEPREFIX=${WINEPREFIX:-$root/build-win/wineprefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/prepare-wine-prefix.sh"
export driver=${WINDOW_DRIVER:-$root/build-win/bin/stubs/window_driver.exe} program out
win() { local path=${1//\//\\}; echo "Z:$path"; } # wine maps the Unix root to Z:
export input=$(win "$clip") output=$(win "${clip%.*}.mkv")
# A wine server started without the virtual display shows no windows there.
wineserver -w
status=0
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  set -u
  # step NAME DRIVER_ARGS...: one driver step, 60 s at the most.
  step() {
    local name=$1
    shift
    timeout 60 wine "$driver" "$@" && return 0
    echo "window-pictures: the step \"$name\" failed or took over 60 s" >&2
    wineserver -k
    exit 1
  }
  shot() { import -window root -crop "$1" +repage "$out/$2"; }
  (cd "$program" && exec wine ./quorbel.exe) &
  quorbel=$!
  if timeout 60 wine "$driver" question x264; then
    shot 640x400+0+0 question-x264.png
    step "answer the x264 question" answer x264 yes
  fi
  step "wait for the window" wait
  names=(bitrate rate-control mbs-frames more job)
  for i in 0 1 2 3 4; do
    step "show page $i" page $i
    shot 320x400+0+0 "page-$i-${names[$i]}.png"
  done
  step "queue a job with Add" queue "$input" "$output"
  step "open the edit box" edit
  shot 640x400+0+0 edit-box.png
  step "close the edit box" close-edit
  step "open the system menu" system-menu
  shot 640x400+0+0 system-menu.png
  step "close the system menu" close-menu
  step "press Cancel" cancel
  for _ in $(seq 1 100); do kill -0 $quorbel 2>/dev/null || { wineserver -w; exit 0; }; sleep 0.2; done
  echo "window-pictures: quorbel.exe did not end within 20 s of Cancel" >&2
  wineserver -k
  exit 1' || status=1
wineserver -w
[ $status -eq 0 ] || exit 1
ls "$out"/*.png
