#!/usr/bin/env bash
# The "current" dialect against Debian's x264: for every encode mode and a
# set of option choices, the x264 lines quorbel-cli writes run on a tiny
# 16-frame clip and must exit 0. Only what is Windows-only is changed: the
# program name, the "@" and "@if errorlevel 1 " prefixes, and "nul".
set -uo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ffmpeg -loglevel error -y -f lavfi -i testsrc=size=64x48:rate=25 -frames:v 16 -pix_fmt yuv420p \
  "$work/clip.y4m" || exit 1

option_sets=(
  ""
  "mb=3 bref=1 bme=1"
  "aq=1 aq1=1.0"
  "aq=0"
  "m=0" "m=1" "m=2" "m=3" "m=4" "m=5" "m=6" "m=7" "m=8"
  "cme=0 m=8"
  "tre=2"
  "mxref=1 ref=3"
  "cqm=jvt"
  "mb=0"
  "ba=0 fil=0 cab=0"
  "ms=2 range=24"
  "ms=3"
  "apin=1 thr=2 dm=3"
)
runs=0 failed=0
for options in "${option_sets[@]}"; do
  for mode in $(seq 0 13); do
    case $mode in 1 | 2 | 8 | 9 | 12) value=26 ;; *) value=300 ;; esac
    sets=(--set x264cli=current --set mode=$mode --set value=$value --set crelog=0
          --set "infile=$work/clip.y4m" --set "outfile=$work/out.264" --set "statsname=$work/s.stat")
    for o in $options; do sets+=(--set "$o"); done
    lines=$("$cli" --program-folder "$work/" "${sets[@]}") || { echo "quorbel-cli failed: $options"; exit 1; }
    while IFS= read -r line; do
      line=${line%$'\r'}
      line=${line#@if errorlevel 1 }
      case $line in @x264.exe*) ;; *) continue ;; esac
      line="x264${line#@x264.exe}"
      line=${line/ -o nul / -o /dev/null }
      runs=$((runs + 1))
      if ! (cd "$work" && eval "$line") >"$work/x264.log" 2>&1; then
        failed=$((failed + 1))
        echo "FAILED (mode $mode, $options): $line"
        tail -n 3 "$work/x264.log"
      fi
    done <<<"$lines"
  done
done
echo "x264 runs: $runs, failed: $failed"
[ "$runs" -gt 0 ] && [ "$failed" -eq 0 ]
