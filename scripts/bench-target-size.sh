#!/usr/bin/env bash
# How close the target-size modes come to their targets with a real x264:
# one 10-second clip (320x240, 25 fps, moving pictures with noise) at three
# target sizes in modes 0 (one pass), 6 and 7 (two passes) and 10 (a CRF
# pass, then a bitrate pass). quorbel-cli.exe writes the batch file under
# wine (the clip measured through DirectShow), wine's cmd runs it with
# runlog, sizegate, toolenv, pausems and x264.exe (scripts/build-x264.sh),
# and each Matroska output is compared with its target. The container's
# share is the output's size less its H.264 stream's (ffmpeg -c copy).
# Not a test: it prints a table. Needs the build-win tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
bin="$root/build-win/bin"
x264=$("$root/scripts/build-x264.sh")
export WINEPREFIX=${WINEPREFIX:-$root/build-win/wineprefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/clips" "$work/out"
for exe in quorbel-cli runlog sizegate toolenv pausems; do cp "$bin/$exe.exe" "$work/program/"; done
cp "$x264" "$work/program/x264.exe"
ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=320x240:rate=25" -frames:v 250 \
  -vf "noise=alls=24:allf=t:all_seed=7" -pix_fmt yuv420p "$work/clip.y4m"

# Wine maps the Unix root to Z:.
win() { local path=${1//\//\\}; echo "Z:$path"; }
modes=(0 6 7 10)
sizes=(1 2 4)
for mode in "${modes[@]}"; do
  for size in "${sizes[@]}"; do
    ln -s "$work/clip.y4m" "$work/clips/m$mode-${size}mb.y4m"
    xvfb-run -a wine "$work/program/quorbel-cli.exe" --program-folder "$(win "$work/program")" \
      --set x264cli=current --set x264input=direct --set mode=$mode --set sizemode=1 \
      --set value=$size --output-folder "$(win "$work/out")" \
      --bat "$(win "$work/m$mode-${size}mb")" "$(win "$work/clips/m$mode-${size}mb.y4m")" \
      2> >(grep -v -e '^ALSA' -e 'Read access denied' -e 'X connection' >&2)
  done
done
# The outputs are named .mp4; this x264 writes Matroska, so the batch files
# name .mkv outputs instead.
for bat in "$work"/m*.bat; do
  sed -i 's/\.mp4"/.mkv"/g' "$bat"
  wine cmd /c "$(win "$bat")" >/dev/null 2>&1
done

printf '%-5s %-10s %12s %12s %8s %10s %8s\n' mode target bytes error stream container share
for mode in "${modes[@]}"; do
  for size in "${sizes[@]}"; do
    video="$work/out/m$mode-${size}mb.mkv"
    target=$((size * 1048576))
    bytes=$(stat -c %s "$video" 2>/dev/null || echo 0)
    ffmpeg -loglevel error -y -i "$video" -c copy -f h264 "$work/stream.264" 2>/dev/null || true
    stream=$(stat -c %s "$work/stream.264" 2>/dev/null || echo 0)
    error=$(echo "scale=2; 100 * ($bytes - $target) / $target" | bc)
    share=$(echo "scale=2; 100 * ($bytes - $stream) / $target" | bc)
    printf '%-5s %-10s %12s %11s%% %10s %10s %7s%%\n' "$mode" "${size} MB" "$bytes" "$error" \
      "$stream" "$((bytes - stream))" "$share"
  done
done
