#!/usr/bin/env bash
# Runs each libFuzzer target of build-fuzz/ for a while (default 20 s) from
# its seed corpus in tests/fuzz/corpus/. The repository's corpus is left as
# it is: each run works on a copy. An input that crashes a target is kept in
# build-fuzz/crashes/ and fails the run.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
crashes="$root/build-fuzz/crashes"
mkdir -p "$crashes"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for seeds in "$root"/tests/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  mkdir -p "$work/$name"
  cp "$seeds"* "$work/$name/"
  if "$root/build-fuzz/bin/$name" -max_total_time="$seconds" -artifact_prefix="$crashes/$name-" \
       "$work/$name" >"$work/$name.log" 2>&1; then
    echo "fuzz $name: $(grep -o 'Done [0-9]* runs' "$work/$name.log" | tail -1), no crash"
  else
    echo "fuzz $name: FAILED"
    grep -E 'ERROR|runtime error|Test unit written' "$work/$name.log" | head -5
    status=1
  fi
done
exit $status
