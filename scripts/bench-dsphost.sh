#!/usr/bin/env bash
# Times whole processes side by side on one 10-minute stereo 16-bit WAV:
# dsphost (the plug-in's integer chain) against sox (vol) and ffmpeg
# (-af volume), each reading the file and writing a WAV. Best of 3 runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work"
sox -n -r 44100 -c 2 -b 16 "$work/in.wav" synth 600 sine 440 sine 660 vol 0.3
bytes=$(stat -c %s "$work/in.wav")

best_of_3() {
  local best=
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    local t
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

printf '%-10s %10s %12s\n' program seconds MB/s
for name in dsphost sox ffmpeg; do
  case $name in
    dsphost) cmd=("$root/build/bin/dsphost" "$work/in.wav" "$work/out-dsphost.wav") ;;
    sox) cmd=(sox "$work/in.wav" "$work/out-sox.wav" vol 2.5) ;;
    ffmpeg) cmd=(ffmpeg -loglevel error -y -i "$work/in.wav" -af volume=2.5 "$work/out-ffmpeg.wav") ;;
  esac
  t=$(best_of_3 "${cmd[@]}")
  printf '%-10s %10.3f %12.1f\n' "$name" "$t" "$(echo "$bytes / $t / 1000000" | bc -l)"
done
