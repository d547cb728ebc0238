#!/usr/bin/env bash
# The main job's picture sequence (scripts/window-pictures.sh) as run.sh runs
# it on a machine without a display: a fresh program folder with a real
# x264.exe, a wine prefix of its own, no DISPLAY. The sequence must end by
# itself within its time limit, leave every picture, and leave the job it
# queued in the saved job list; whatever the window says where a step
# expects something else fails the step and names it.
# Usage: window_pictures_test.sh BIN_FOLDER X264_EXE PICTURES_FOLDER
set -uo pipefail
source "$(dirname "$0")/../scripts/wine-env.sh"
bin=$1 x264=$2 pictures=$3
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINDOW_DRIVER="$bin/stubs/window_driver.exe"
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
program="$work/program"
mkdir -p "$program"
for exe in quorbel runlog sizegate toolenv pausems; do cp "$bin/$exe.exe" "$program/" || exit 1; done
cp "$x264" "$program/x264.exe" || exit 1
ffmpeg -loglevel error -y -f lavfi -i testsrc2=size=320x240:rate=25 -frames:v 25 -pix_fmt yuv420p \
  "$work/clip.y4m" || exit 1
rm -rf "$pictures"

status=0
fail() { echo "FAIL: $*"; status=1; }
env -u DISPLAY timeout 300 bash "$root/scripts/window-pictures.sh" "$program" "$pictures" "$work/clip.y4m" ||
  fail "the picture sequence failed or did not end within 300 s"
for name in question-x264 page-0-bitrate page-1-rate-control page-2-mbs-frames page-3-more page-4-job \
  edit-box system-menu; do
  picture="$pictures/$name.png"
  [ -s "$picture" ] || { fail "no picture $name.png"; continue; }
  # A blank screen has one colour; a window has many.
  colours=$(identify -format %k "$picture" 2>/dev/null || echo 0)
  [ "$colours" -gt 8 ] || fail "$name.png shows no window ($colours colours)"
done
tr -d '\r' <"$program/quorbel.jobs" 2>/dev/null | grep -q 'clip\.mkv' ||
  fail "the saved job list holds no job for clip.mkv"
[ -e "$work/clip.mkv" ] && fail "the queued job ran: nothing is started by the pictures"
[ $status -eq 0 ] && echo "the picture sequence ended by itself with all $(ls "$pictures" | wc -l) pictures"
exit $status
