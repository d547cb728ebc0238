#!/usr/bin/env bash
# A hang-up (the terminal closing) while runlog waits for more input: the log
# keeps everything read so far, without an end line, and the signal ends it.
set -u
runlog=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkfifo "$work/pipe"
( exec 3>"$work/pipe"; printf 'partial text' >&3; sleep 3 ) &
writer=$!
"$runlog" "$work/pass.txt" < "$work/pipe" > /dev/null &
reader=$!
sleep 1
kill -HUP $reader
wait $reader
status=$?
kill $writer 2>/dev/null
expected=$(printf -- '--------------------------------------------------\r\nStartTime:X\r\npartial text')
got=$(sed -E 's/^StartTime:[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}/StartTime:X/' "$work/pass.txt")
[ "$status" -eq 129 ] || { echo "FAIL: runlog ended with $status, not by the hang-up"; exit 1; }
[ "$got" = "$expected" ] || { echo "FAIL: log is:"; cat -A "$work/pass.txt"; exit 1; }
echo "hang-up kept the partial log"
