#!/usr/bin/env bash
# Times whole processes side by side on 10-minute stereo 16-bit WAV files (a
# tone, and pink noise at 0.3 of full scale): dsphost (the plug-in's integer
# chain) against sox (vol), ffmpeg (-af volume) and cp of the same file,
# each reading the file and writing a new one. Best of 3 runs; MB/s and how
# many times real time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work"
seconds=600
sox -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth $seconds sine 440 sine 660 vol 0.3
sox -n -r 44100 -c 2 -b 16 "$work/pink.wav" synth $seconds pinknoise vol 0.3

best_of_3() {
  local best=
  for _ in 1 2 3; do
    local start end t
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

for input in tone pink; do
  in="$work/$input.wav"
  bytes=$(stat -c %s "$in")
  echo "== $input ($((bytes / 1000000)) MB, $seconds s of audio)"
  printf '%-10s %10s %10s %14s\n' program seconds MB/s "x real time"
  for name in dsphost ffmpeg sox cp; do
    case $name in
      dsphost) cmd=("$root/build/bin/dsphost" "$in" "$work/out.wav") ;;
      sox) cmd=(sox "$in" "$work/out.wav" vol 2.5) ;;
      ffmpeg) cmd=(ffmpeg -loglevel error -y -i "$in" -af volume=2.5 "$work/out.wav") ;;
      cp) cmd=(cp "$in" "$work/out.wav") ;;
    esac
    t=$(best_of_3 "${cmd[@]}")
    printf '%-10s %10.3f %10.1f %14.0f\n' "$name" "$t" "$(echo "$bytes / $t / 1000000" | bc -l)" \
      "$(echo "$seconds / $t" | bc -l)"
  done
done
