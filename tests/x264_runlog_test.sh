#!/usr/bin/env bash
# Real use: x264 encodes a tiny clip and its console output is piped into
# runlog, as the generated pass lines do. The log must hold exactly what
# runlog showed, framed by the separator and the two times.
set -euo pipefail
runlog=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/log dir"
log="$work/log dir/clip.avs.txt"

ffmpeg -loglevel error -f lavfi -i testsrc=size=64x48:rate=25 -frames:v 25 -pix_fmt yuv420p -f yuv4mpegpipe \
  "$work/clip.y4m"
printf 'earlier\r\n' > "$log"
x264 --preset ultrafast -o "$work/clip.264" "$work/clip.y4m" 2>&1 | "$runlog" "$log" > "$work/shown.txt"

fail() { echo "FAIL: $*"; echo "--- log:"; cat -A "$log"; exit 1; }
grep -q "encoded 25 frames" "$work/shown.txt" || fail "x264's summary was not shown"
time_re='[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}'
lines=$(wc -l < "$log")
[ "$(sed -n 1p "$log")" = $'earlier\r' ] || fail "earlier content changed"
[ "$(sed -n 2p "$log")" = $'--------------------------------------------------\r' ] || fail "separator"
sed -n 3p "$log" | grep -Eq "^StartTime:$time_re"$'\r$' || fail "start line"
tail -n 1 "$log" | grep -Eq "^EndTime:$time_re"$'\r$' || fail "end line"
sed -n "4,$((lines - 1))p" "$log" | cmp -s - "$work/shown.txt" || fail "logged text differs from shown text"
echo "x264 output logged: $(grep -c '' "$work/shown.txt") lines framed by start and end times"
