#!/usr/bin/env bash
# The job list on the test cluster against the same task scripts run one
# after another on this machine (and the report): eight jobs with the
# default settings (x264 on one thread each) on y4m clips of FRAMES frames,
# written by quorbel-cli --slurm; three runs each, in turns, and their
# medians. Each array run is timed from submit.sh until the queue is empty.
# Usage: bench-cluster.sh [RUNS [FRAMES]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-3} frames=${2:-300}
"$root/scripts/install-deps.sh" >/dev/null
"$root/scripts/build.sh" build >/dev/null
bin="$root/build/bin"
work=$(mktemp -d)
cluster="$work/cluster"
trap '"$root/scripts/slurm-cluster.sh" stop "$cluster"; rm -rf "$work"' EXIT
eval "$("$root/scripts/slurm-cluster.sh" start "$cluster")"
mkdir -p "$work/clips"
inputs=()
for n in 1 2 3 4 5 6 7 8; do
  ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=640x360:rate=25" -frames:v "$frames" \
    -vf "noise=alls=20:allf=t:all_seed=$n" -pix_fmt yuv420p "$work/clips/clip$n.y4m"
  inputs+=("$work/clips/clip$n.y4m")
done
# One export per run, in a fresh folder: the lines the defaults write, with
# x264 opening the inputs itself.
export_run() {
  local dir="$work/run-$1"
  rm -rf "$dir" && mkdir -p "$dir/prog" "$dir/out"
  "$bin/quorbel-cli" --program-folder "$dir/prog" --set x264cli=current --set x264input=direct \
    --output-folder "$dir/out" --slurm "$dir/export" --tools "$bin" "${inputs[@]}" >/dev/null
  echo "$dir"
}
now() { date +%s.%N; }
declare -a array sequential
for r in $(seq "$runs"); do
  dir=$(export_run "array-$r")
  start=$(now)
  sh "$dir/export/submit.sh" >/dev/null
  while [ -n "$(squeue -h 2>/dev/null)" ]; do sleep 0.1; done
  array+=("$(echo "$(now) - $start" | bc)")
  [ "$(ls "$dir/out"/*.mkv | wc -l)" = 8 ] || { echo "the array made no 8 videos" >&2; exit 1; }
  dir=$(export_run "sequential-$r")
  start=$(now)
  for task in "$dir"/export/task-*.sh; do sh "$task" >/dev/null 2>&1; done
  sh "$dir/export/report.sh"
  sequential+=("$(echo "$(now) - $start" | bc)")
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }
m1=$(median "${sequential[@]}") m2=$(median "${array[@]}")
echo "processors: $(nproc); 8 jobs, 640x360, $frames frames each, default settings (--threads 1)"
printf '| run | times (s) | median (s) |\n| --- | --- | --- |\n'
printf '| one after another | %s | %.2f |\n' "${sequential[*]}" "$m1"
printf '| Slurm array | %s | %.2f |\n' "${array[*]}" "$m2"
printf 'ratio array : sequential = %.2f (goal: at most 0.60)\n' "$(echo "$m2 / $m1" | bc -l)"
