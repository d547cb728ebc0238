#!/usr/bin/env bash
# Two pictures of the queue at work under wine on a virtual display, saved
# into OUTPUT_FOLDER:
#   queue-title.png    the window during a run of three jobs with the real
#                      x264.exe: its title tells the queue's progress;
#   queue-resumed.png  the window started again after the first one and its
#                      script were killed midway: the message it tells once.
# Usage: pictures-queue.sh OUTPUT_FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
out=$(mkdir -p "$1" && cd "$1" && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build-win/wineprefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/prepare-wine-prefix.sh"
x264=$(ls "$root"/build-x264/*/x264.exe | head -1)
bin="$root/build-win/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program="$work/program"
mkdir -p "$program/out" "$work/clips"
for exe in quorbel quorbel-cli runlog sizegate toolenv pausems; do cp "$bin/$exe.exe" "$program/"; done
cp "$x264" "$program/x264.exe"
for n in 1 2 3; do
  ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=640x360:rate=25" -frames:v 500 \
    -vf "noise=alls=20:allf=t:all_seed=$n" -pix_fmt yuv420p "$work/clips/clip$n.y4m"
done
win() { local path=${1//\//\\}; echo "Z:$path"; }
build=$(wine "$x264" --version 2>/dev/null | tr -d '\r' | sed -n 's/^x264 0\.[0-9]*\.\([0-9]*\).*/\1/p')
(cd "$program" && wine quorbel-cli.exe --set x264cli=current --set x264input=direct \
   --set "x264asked=$build" --set mode=6 --set value=1500 --save-settings quorbel.ini \
   --output-folder "$(win "$program/out")" "$(win "$work/clips/clip1.y4m")" \
   "$(win "$work/clips/clip2.y4m")" "$(win "$work/clips/clip3.y4m")" 2>/dev/null) |
  sed 's/\r*$/\r/' >"$program/quorbel.jobs"
wineserver -w # the next server starts with the display
driver="$bin/stubs/window_driver.exe"
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  set -e
  driver=$0 program=$1 out=$2
  (cd "$program" && exec wine quorbel.exe) &
  window=$!
  wine "$driver" wait
  wine "$driver" click 1504
  # Into the second job: the title shows 1 of 3 done and the percent.
  until ls "$program"/out/clip2.mkv >/dev/null 2>&1; do sleep 0.2; done
  sleep 3
  wine "$driver" front # above the consoles of the scripts
  import -window root -crop 330x120+0+0 +repage "$out/queue-title.png"
  # The stop: the window and the script killed.
  pkill -f "^[A-Z]:.*quorbel\.exe" || true
  pkill -f "^[A-Z]:.*(cmd|x264|runlog|conhost)\.exe" || true
  wait $window || true
  sleep 1
  (cd "$program" && exec wine quorbel.exe) &
  window=$!
  wine "$driver" question quorbel
  sleep 0.5
  import -window root -crop 640x400+0+0 +repage "$out/queue-resumed.png"
  wine "$driver" answer quorbel ok
  wine "$driver" cancel
  wait $window' "$driver" "$program" "$out"
ls "$out"/queue-title.png "$out"/queue-resumed.png
