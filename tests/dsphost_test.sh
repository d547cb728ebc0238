#!/usr/bin/env bash
# dsphost runs sox-made audio through the plug-in; the leveled output peaks at
# the plug-in's default target (75 % of full scale). Bad input is one line on
# standard error, exit 2, and no output file.
set -u
dsphost=$1
recorder=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"   # the plug-in's profile stays in here
mkdir -p "$XDG_CONFIG_HOME"
status=0
fail() { echo "FAIL: $*"; status=1; }
peak_of() { sox "$1" -n trim "$2" 1 stat 2>&1 | awk '/Maximum amplitude/ {print $3}'; }
between() { awk -v x="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(x >= lo && x <= hi) }'; }

for format in "2 16" "1 16" "2 8"; do
  set -- $format
  sox -n -r 44100 -c "$1" -b "$2" "$work/tone.wav" synth 5 sine 440 vol 0.2
  if ! "$dsphost" "$work/tone.wav" "$work/out.wav" 2>"$work/err"; then
    fail "channels $1 bits $2: $(cat "$work/err")"; continue
  fi
  peak=$(peak_of "$work/out.wav" 4)
  # 8-bit values have steps of 1/128: the target 96/128 is met within a few steps.
  if [ "$2" = 8 ]; then hi=0.80; else hi=0.76; fi
  between "$peak" 0.70 "$hi" || fail "channels $1 bits $2: leveled peak $peak, not about 0.75"
  [ "$(soxi -b "$work/out.wav")" = "$2" ] && [ "$(soxi -c "$work/out.wav")" = "$1" ] \
    || fail "channels $1 bits $2: output format differs"
  echo "ok: $1 channel(s), $2 bits: 0.2 leveled to $peak"
done
grep -q '^level=75' "$XDG_CONFIG_HOME/levoria.ini" || fail "the quit slot wrote no profile"

# Reading and writing in large chunks leaves the blocks as a player hands
# them over: every block full but the file's last, in order.
sox -n -r 44100 -c 2 -b 16 "$work/long.wav" synth 23 pinknoise vol 0.3 trim 0 1000003s
total=$(soxi -s "$work/long.wav")
for frames in 576 1000 100000; do
  rm -f "$work/blocks"
  BLOCK_RECORD="$work/blocks" "$dsphost" --plugin "$recorder" --frames $frames "$work/long.wav" \
    "$work/stamped.wav" || fail "block recorder run failed"
  expected=$(awk -v n=$total -v f=$frames 'BEGIN { for (d = 0; d < n; d += f) print (n - d < f ? n - d : f) }' | md5sum)
  [ "$(md5sum < "$work/blocks")" = "$expected" ] || fail "--frames $frames: blocks differ: $(sort "$work/blocks" | uniq -c | head -3)"
  # Each block's stamp stands at its first frame, in order.
  stamps=$(sox "$work/stamped.wav" -t s16 - | od -An -v -td2 -w4 | awk -v f=$frames 'NR % f == 1 { print $1 }' | head -5 | tr '\n' ' ')
  [ "$stamps" = "1 2 3 4 5 " ] || fail "--frames $frames: stamps $stamps"
  echo "ok: --frames $frames: $(wc -l < "$work/blocks") blocks as a player hands them over"
done

expect_refusal() { # what, args...
  local what=$1; shift
  rm -f "$work/never.wav"
  "$dsphost" "$@" 2>"$work/err"; local code=$?
  [ $code -eq 2 ] || fail "$what: exit $code"
  [ "$(wc -l < "$work/err")" -eq 1 ] || fail "$what: not one line: $(cat "$work/err")"
  [ -e "$work/never.wav" ] && fail "$what: left an output file"
  echo "ok: $what: $(cat "$work/err")"
}
sox -n -r 44100 -c 2 -b 24 "$work/deep.wav" synth 1 sine 440
sox -n -r 44100 -c 6 -b 16 "$work/six.wav" synth 1 sine 440
expect_refusal "missing input" "$work/missing.wav" "$work/never.wav"
expect_refusal "24-bit input" "$work/deep.wav" "$work/never.wav"
expect_refusal "six channels" "$work/six.wav" "$work/never.wav"
expect_refusal "unwritable output" "$work/tone.wav" "$work/no/such/dir/never.wav"
expect_refusal "library without the export" --plugin "$(ldd "$dsphost" | awk '/libsndfile/ {print $3}')" \
  "$work/tone.wav" "$work/never.wav"
expect_refusal "bad frames" --frames 0 "$work/tone.wav" "$work/never.wav"
expect_refusal "one file only" "$work/tone.wav"
exit $status
