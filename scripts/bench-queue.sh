#!/usr/bin/env bash
# Jobs at once: four jobs with the default settings (x264 on one thread
# each), run by "Start" in the real window under wine with the real
# x264.exe, "Jobs at once" 1 against 2. Each run is timed from the moment
# "Start" has written its first script until the last script has deleted
# itself; three runs each, in turns, and their medians.
# Usage: bench-queue.sh [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
runs=${1:-3}
"$root/scripts/install-deps.sh" >/dev/null
"$root/scripts/build.sh" build-win >/dev/null
x264=$(ls "$root"/build-x264/*/x264.exe | head -1)
export WINEPREFIX="$root/build-win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/prepare-wine-prefix.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/clips"
for n in 1 2 3 4; do
  ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=640x360:rate=25" -frames:v 250 \
    -vf "noise=alls=20:allf=t:all_seed=$n" -pix_fmt yuv420p "$work/clips/clip$n.y4m"
done
win() { local path=${1//\//\\}; echo "Z:$path"; }
bin="$root/build-win/bin"
build=$(wine "$x264" --version 2>/dev/null | tr -d '\r' | sed -n 's/^x264 0\.[0-9]*\.\([0-9]*\).*/\1/p')
# A wine server started without a display shows no windows: let it end
# before each run starts one on its own display.
wineserver -w

# One run in a fresh program folder: the settings file says how many at
# once; the job list comes from quorbel-cli with the same settings.
run_once() {
  local at_once=$1 program="$work/program-$1-$2"
  mkdir -p "$program" "$program/out"
  for exe in quorbel quorbel-cli runlog sizegate toolenv pausems; do cp "$bin/$exe.exe" "$program/"; done
  cp "$x264" "$program/x264.exe"
  local sets=(--set x264cli=current --set x264input=direct --set "x264asked=$build"
              --set "jobsatonce=$at_once")
  (cd "$program" && wine quorbel-cli.exe "${sets[@]}" --save-settings quorbel.ini \
     --output-folder "$(win "$program/out")" \
     "$(win "$work/clips/clip1.y4m")" "$(win "$work/clips/clip2.y4m")" \
     "$(win "$work/clips/clip3.y4m")" "$(win "$work/clips/clip4.y4m")" >"$program/jobs.txt" 2>/dev/null)
  sed 's/\r*$/\r/' "$program/jobs.txt" >"$program/quorbel.jobs"
  (cd "$program" && wine quorbel.exe) &
  local window=$!
  local tries=0
  until wine "$bin/stubs/window_driver.exe" wait 2>/dev/null; do
    tries=$((tries + 1))
    [ $tries -lt 6 ] || { echo "no window" >&2; exit 1; }
  done
  local start end
  wine "$bin/stubs/window_driver.exe" click 1504 & # "Start"
  until ls "$program"/temp*.bat >/dev/null 2>&1; do sleep 0.05; done
  start=$(date +%s.%N)
  while ls "$program"/temp*.bat >/dev/null 2>&1; do sleep 0.1; done
  end=$(date +%s.%N)
  local made
  made=$(ls "$program/out"/*.mkv 2>/dev/null | wc -l)
  kill "$window" 2>/dev/null || true
  pkill -f '^[A-Z]:.*quorbel\.exe' 2>/dev/null || true
  wineserver -w
  wait "$window" 2>/dev/null || true
  [ "$made" = 4 ] || { echo "run with $at_once at once made $made videos, not 4" >&2; exit 1; }
  echo "$end - $start" | bc
}
median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }
export -f run_once win
declare -a one two
for r in $(seq "$runs"); do
  one+=("$(xvfb-run -a bash -c "$(declare -f run_once win); work='$work' bin='$bin' x264='$x264' build='$build' run_once 1 $r")")
  two+=("$(xvfb-run -a bash -c "$(declare -f run_once win); work='$work' bin='$bin' x264='$x264' build='$build' run_once 2 $r")")
done
m1=$(median "${one[@]}") m2=$(median "${two[@]}")
echo "processors: $(nproc); x264 build $build; 4 jobs, 640x360, 250 frames each, --threads 1"
printf '| jobs at once | runs (s) | median (s) |\n| --- | --- | --- |\n'
printf '| 1 | %s | %.2f |\n' "${one[*]}" "$m1"
printf '| 2 | %s | %.2f |\n' "${two[*]}" "$m2"
printf 'ratio 2 : 1 = %.2f (goal: at most 0.60)\n' "$(echo "$m2 / $m1" | bc -l)"
