#!/usr/bin/env bash
# Two pictures under wine on a virtual display, saved into OUTPUT_FOLDER:
#   missing-x264.png  quorbel.exe started in a folder of its own without any
#                     x264.exe: the note that says where to put it;
#   drop.png          the real window with three clips dropped on it: the
#                     "Job" page with their jobs (bin/stubs/drop_preview.exe).
# Usage: pictures-missing-x264-and-drop.sh OUTPUT_FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
out=$(mkdir -p "$1" && cd "$1" && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build-win/wineprefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/prepare-wine-prefix.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/alone" "$work/dropped" "$work/clips"
cp "$root/build-win/bin/quorbel.exe" "$work/alone/"
for clip in one two three; do
  ffmpeg -loglevel error -y -f lavfi -i testsrc=size=64x48:rate=25 -frames:v 5 \
    -pix_fmt yuv420p "$work/clips/$clip.y4m"
done
win() { local path=${1//\//\\}; echo "Z:$path"; }
# The dropped window lets x264 open its inputs itself.
printf 'x264input = direct\r\nx264asked = none\r\nthr = 0\r\n' >"$work/dropped/quorbel.ini"
driver="$root/build-win/bin/stubs/window_driver.exe"
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  set -e
  wine "$1/alone/quorbel.exe" &
  program=$!
  wine "$0" question x264
  import -window root -crop 640x400+0+0 +repage "$2/missing-x264.png"
  wine "$0" answer x264 ok
  wine "$0" cancel
  wait $program
  wine "$3" "$4" "$5" "$6" "$7" &
  preview=$!
  wine "$0" wait
  sleep 1
  import -window root -crop 320x400+0+0 +repage "$2/drop.png"
  wine "$0" cancel
  wait $preview' "$driver" "$work" "$out" "$root/build-win/bin/stubs/drop_preview.exe" \
  "$(win "$work/dropped")\\" "$(win "$work/clips/one.y4m")" "$(win "$work/clips/two.y4m")" \
  "$(win "$work/clips/three.y4m")"
ls "$out"/missing-x264.png "$out"/drop.png
