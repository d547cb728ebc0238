#!/usr/bin/env bash
# A stopped queue resumed, under wine: quorbel.exe and its tools in a fresh
# program folder beside a real x264.exe. The window is driven from outside
# (resumed_queue_driver.exe): three jobs started, everything killed during
# the two-pass job's second pass, a new window takes the queue up again.
# Checked here with ffprobe: the three videos are whole, and the two-pass
# video, made by a second pass from the first pass's stats, lies within 5%
# of its 2 MB target.
#
# Usage: resumed_queue_test.sh BIN_FOLDER X264_EXE DRIVER_EXE
set -uo pipefail
source "$(dirname "$0")/../scripts/wine-env.sh"
bin=$1 x264=$2 driver=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program="$work/program" out="$work/videos" clips_dir="$work/clips"
mkdir -p "$program" "$out" "$clips_dir"
for exe in quorbel runlog sizegate toolenv pausems; do cp "$bin/$exe.exe" "$program/" || exit 1; done
cp "$x264" "$program/x264.exe" || exit 1

# 320x240 at 25 fps with noise; b is three times as long, so that its
# second pass is still running when the driver stops the queue.
declare -A frames=([a]=100 [b]=750 [c]=100)
seed=1
for name in a b c; do
  ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=320x240:rate=25" -frames:v "${frames[$name]}" \
    -vf "noise=alls=24:allf=t:all_seed=$seed" -pix_fmt yuv420p "$clips_dir/$name.y4m" || exit 1
  seed=$((seed + 1))
done

win() { local path=${1//\//\\}; echo "Z:$path"; }
export QUORBEL_PROGRAM="$(win "$program")\\" QUORBEL_OUT="$(win "$out")\\"
export QUORBEL_CLIPS="$(win "$clips_dir/a.y4m")|$(win "$clips_dir/b.y4m")|$(win "$clips_dir/c.y4m")"
export WINEDEBUG=${WINEDEBUG:--all}
status=0
wine "$driver" --gtest_brief=1 || status=1

for name in a b c; do
  got=$(ffprobe -v error -count_frames -select_streams v:0 \
    -show_entries stream=codec_name,nb_read_frames -of csv=p=0 "$out/$name.mkv" 2>&1)
  if [ "$got" != "h264,${frames[$name]}" ]; then
    echo "FAIL: $name.mkv is '$got', not H.264 with ${frames[$name]} frames"
    status=1
  fi
done
target=$((2 * 1048576))
size=$(stat -c %s "$out/b.mkv" 2>/dev/null || echo 0)
error=$(echo "scale=2; 100 * ($size - $target) / $target" | bc)
echo "resumed second pass to 2 MB: $size bytes, error $error%"
if [ "$(echo "${error#-} > 5" | bc)" = 1 ]; then
  echo "FAIL: the resumed two-pass output misses its target by more than 5%"
  status=1
fi
[ $status -eq 0 ] && echo "resumed queue: all outputs as expected"
exit $status
