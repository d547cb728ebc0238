#!/usr/bin/env bash
# A first video out of the box, under wine: quorbel.exe, runlog.exe,
# sizegate.exe, toolenv.exe and pausems.exe in a fresh program folder beside a
# real x264.exe (Debian's 0.164, built for Windows by scripts/build-x264.sh).
# The window is driven as a user drives it (first_video_driver.exe): four
# jobs on y4m clips made here, one of them in a folder whose name holds
# spaces, "&" and "%", and a fifth through "Files input" whose output name
# the program derives (a .mkv: this x264 writes no MP4), then "Start". Checked here with ffprobe: every output is
# H.264 with its source's size and frame count, the two-pass output lies
# within 5% of its target, and each conditional job ran its second pass only
# where its first pass missed the size range.
#
# Usage: first_video_test.sh BIN_FOLDER X264_EXE DRIVER_EXE
set -uo pipefail
source "$(dirname "$0")/../scripts/wine-env.sh"
bin=$1 x264=$2 driver=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program="$work/program"
odd="$work/clips & 100% sure"
out="$work/videos"
mkdir -p "$program" "$odd" "$out" "$work/plain"
for exe in quorbel runlog sizegate toolenv pausems; do cp "$bin/$exe.exe" "$program/" || exit 1; done
cp "$x264" "$program/x264.exe" || exit 1

# 320x240, 250 frames at 25 fps: moving pictures with noise, so that the
# bitrate matters.
clips=("$work/plain/single.y4m" "$odd/double.y4m" "$odd/met.y4m" "$odd/missed.y4m"
       "$work/plain/files.y4m")
seed=1
for clip in "${clips[@]}"; do
  ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=320x240:rate=25" -frames:v 250 \
    -vf "noise=alls=24:allf=t:all_seed=$seed" -pix_fmt yuv420p "$clip" || exit 1
  seed=$((seed + 1))
done

# Wine maps the Unix root to Z:.
win() { local path=${1//\//\\}; echo "Z:$path"; }
windows_clips=()
for clip in "${clips[@]}"; do windows_clips+=("$(win "$clip")"); done
export QUORBEL_PROGRAM="$(win "$program")\\" QUORBEL_OUT="$(win "$out")\\"
QUORBEL_CLIPS=$(IFS='|'; echo "${windows_clips[*]}")
export QUORBEL_CLIPS
export WINEDEBUG=${WINEDEBUG:--all}
wine "$driver" --gtest_brief=1 || status=1

status=${status:-0}
target=$((2 * 1048576))
frames_of() {
  ffprobe -v error -count_frames -select_streams v:0 \
    -show_entries stream=codec_name,width,height,nb_read_frames -of csv=p=0 "$1"
}
# The "Files input" job's output lies where the program put it; the driver
# wrote its name down.
files_output=$(tr -d '\r' <"$program/files_input_output.txt" 2>/dev/null)
files_video=$(WINEDEBUG=-all winepath -u "$files_output" 2>/dev/null)
for clip in "${clips[@]}"; do
  name=$(basename "$clip" .y4m)
  video="$out/$name.mkv"
  [ "$name" = files ] && video=$files_video
  got=$(frames_of "$video" 2>&1)
  if [ "$got" != "h264,320,240,250" ]; then
    echo "FAIL: $name.mkv is '$got', not H.264 320x240 with 250 frames"
    status=1
  fi
done

size=$(stat -c %s "$out/double.mkv" 2>/dev/null || echo 0)
error=$(echo "scale=2; 100 * ($size - $target) / $target" | bc)
echo "two passes to 2 MB: $size bytes, error $error%"
if [ "$(echo "${error#-} > 5" | bc)" = 1 ]; then
  echo "FAIL: the two-pass output misses its target by more than 5%"
  status=1
fi

# Each pass frames its log with a StartTime line.
passes() { grep -c '^StartTime:' "$program/log/$1.y4m.txt" 2>/dev/null || echo 0; }
[ "$(passes met)" = 1 ] || { echo "FAIL: the met job ran $(passes met) passes, not 1"; status=1; }
[ "$(passes missed)" = 2 ] || { echo "FAIL: the missed job ran $(passes missed) passes, not 2"; status=1; }
rm -f "$files_video"
[ $status -eq 0 ] && echo "first video: all outputs as expected"
exit $status
