#!/usr/bin/env bash
# The job list on a Slurm cluster: a one-node cluster of its own
# (scripts/slurm-cluster.sh), seven jobs written by the native
# quorbel-cli --slurm and run by the real x264 on y4m clips:
#   crf      one CRF pass
#   size1/2  two passes to 1 MB and to 2 MB of one source (they share its
#            stats file and log: one task runs them one after another)
#   met      the conditional pair within its range: no second pass
#   missed   the conditional pair outside it: the second pass runs
#   lost     an input that is not there: its task FAILED, the report names it
#   refused  x264 refuses an option while an earlier run's video is there:
#            its task FAILED, the report names it
#   windows  a job from a saved .bat with Windows paths, through --path-map
# Every video is checked with ffprobe; the cluster is stopped at the end and
# no daemon of it is left.
# Usage: cluster_test.sh BIN_FOLDER SCRIPTS_FOLDER
set -uo pipefail
bin=$1 scripts=$2
work=$(mktemp -d)
cluster="$work/cluster"
cleanup() { "$scripts/slurm-cluster.sh" stop "$cluster"; rm -rf "$work"; }
trap cleanup EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

eval "$("$scripts/slurm-cluster.sh" start "$cluster")" || { echo "FAIL: no cluster"; exit 1; }
mkdir -p "$work/clips" "$work/prog" "$work/out" "$work/video/in" "$work/video/out"
seed=1
for clip in crf size met missed; do
  ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=320x240:rate=25" -frames:v 100 \
    -vf "noise=alls=24:allf=t:all_seed=$seed" -pix_fmt yuv420p "$work/clips/$clip.y4m" || exit 1
  seed=$((seed + 1))
done
cp "$work/clips/crf.y4m" "$work/video/in/win.y4m"
cli="$bin/quorbel-cli"
base=(--program-folder "$work/prog" --set x264cli=current --set x264input=direct
      --output-folder "$work/out")
# The jobs as the window would queue them, one at a time, into one list.
{
  "$cli" "${base[@]}" --set mode=2 --set value=26 "$work/clips/crf.y4m"
  "$cli" "${base[@]}" --set mode=6 --set sizemode=1 --set value=1 "$work/clips/size.y4m" |
    sed 's|out/size.mkv|out/size1.mkv|g'
  "$cli" "${base[@]}" --set mode=6 --set sizemode=1 --set value=2 "$work/clips/size.y4m" |
    sed 's|out/size.mkv|out/size2.mkv|g'
  "$cli" "${base[@]}" --set mode=13 --set minsize=0 --set maxsize=100 "$work/clips/met.y4m"
  "$cli" "${base[@]}" --set mode=13 --set minsize=50 --set maxsize=60 "$work/clips/missed.y4m"
  "$cli" "${base[@]}" --set mode=2 --set value=26 "$work/clips/lost.y4m"
  "$cli" "${base[@]}" --set mode=2 --set value=26 "$work/clips/crf.y4m" |
    sed -e 's|out/crf.mkv|out/refused.mkv|g' -e 's|crf\.y4m\.txt|refused.txt|g' \
      -e 's|--crf 26|--crf 26 --no-such-option|'
} >"$work/list.txt" || exit 1
# An earlier run's whole video of the refused job is still there.
x264 --quiet --crf 30 -o "$work/out/refused.mkv" "$work/clips/crf.y4m" 2>/dev/null || exit 1
# A saved .bat from a Windows machine: its head, and a job whose names are
# under C:\video\ there.
{
  printf '@cd /d "C:\\video\\prog"\r\n@toolenv.exe run\r\n@call toolenv.bat\r\n'
  "$cli" --program-folder "$work/prog" --set x264cli=current --set x264input=direct \
    --set mode=2 --set value=30 --output-folder "$work/video/out" "$work/video/in/win.y4m" |
    sed -e "s|$work/video/|C:\\\\VIDEO\\\\|g" -e 's/$/\r/'
} >"$work/saved.bat"

export_dir="$work/slurm export" # a space: quoted wherever it is written
"$cli" --slurm "$export_dir" --jobs "$work/list.txt" --tools "$bin" --max-running 2 \
  >"$work/export.txt" || { fail "export"; cat "$work/export.txt"; }
grep -q "jobs 2 and 3 both write $work/prog/stats/size.y4m.stat: one task runs them one after another" \
  "$work/export.txt" || fail "the export does not say that jobs 2 and 3 share a file: $(cat "$work/export.txt")"
"$cli" --slurm "$work/export-win" --jobs "$work/saved.bat" --tools "$bin" \
  --path-map "c:\\video\\=$work/video/" >/dev/null || fail "export of the saved .bat"
# Without the map the export is refused, and nothing is written.
if "$cli" --slurm "$work/export-refused" --jobs "$work/saved.bat" --tools "$bin" 2>"$work/refused.txt"; then
  fail "a Windows path without a map was exported"
fi
grep -q "no --path-map maps the Windows path C:" "$work/refused.txt" || fail "refusal: $(cat "$work/refused.txt")"
[ ! -e "$work/export-refused/submit.sh" ] || fail "a refused export wrote files"

arrays=$(sh "$export_dir/submit.sh") || fail "submit.sh"
sh "$work/export-win/submit.sh" >/dev/null || fail "submit.sh of the saved .bat"
for _ in $(seq 600); do [ -z "$(squeue -h 2>/dev/null)" ] && break; sleep 0.5; done
[ -z "$(squeue -h)" ] || fail "the jobs did not end within 5 minutes"

frames() {
  ffprobe -v error -count_frames -select_streams v:0 \
    -show_entries stream=codec_name,nb_read_frames -of csv=p=0 "$1" 2>&1
}
for video in crf size1 size2 met missed; do
  [ "$(frames "$work/out/$video.mkv")" = "h264,100" ] || fail "$video.mkv: $(frames "$work/out/$video.mkv")"
done
[ "$(frames "$work/video/out/win.mkv")" = "h264,100" ] || fail "win.mkv: $(frames "$work/video/out/win.mkv")"
for n in 1 2; do
  size=$(stat -c %s "$work/out/size$n.mkv" 2>/dev/null || echo 0)
  target=$((n * 1048576))
  error=$(echo "scale=2; 100 * ($size - $target) / $target" | bc)
  echo "two passes to $n MB: $size bytes, error $error%"
  [ "$(echo "${error#-} > 5" | bc)" = 0 ] || fail "size$n.mkv misses its target by more than 5%"
done
passes() { grep -c '^StartTime:' "$work/prog/log/$1.y4m.txt" 2>/dev/null || echo 0; }
[ "$(passes met)" = 1 ] || fail "the met job ran $(passes met) passes"
[ "$(passes missed)" = 2 ] || fail "the missed job ran $(passes missed) passes"
# The lost input's task failed, the others completed; the report names it.
jobcomp="$cluster/log/jobcomp.txt"
failed=$(grep -c 'JobState=FAILED' "$jobcomp")
[ "$failed" = 2 ] || fail "$failed tasks FAILED, not 2: $(cut -c1-120 "$jobcomp")"
expected="5 of 7 jobs produced their file.

No file came from:
$work/out/lost.mkv (log: $work/prog/log/lost.y4m.txt)
  x264 [error]: could not open input file \`$work/clips/lost.y4m'
$work/out/refused.mkv (log: $work/prog/log/refused.txt)
  x264: unrecognized option '--no-such-option'"
report=$(cat "$export_dir/report.txt" 2>/dev/null)
[ "$report" = "$expected" ] || fail "report.txt:
$report"
[ "$(cat "$work/export-win/report.txt" 2>/dev/null)" = "1 of 1 job produced its file." ] ||
  fail "report.txt of the saved .bat: $(cat "$work/export-win/report.txt" 2>/dev/null)"
# Each task's output went where #SBATCH --output names it.
outputs=$(ls "$export_dir/log/" 2>/dev/null | grep -c '^[0-9]*_[0-9]*\.out$')
[ "$outputs" = 6 ] || fail "$outputs task outputs in $export_dir/log, not 6: $(ls -R "$work" | head -20)"
echo "arrays: $arrays; report.txt:"
echo "$report"

"$scripts/slurm-cluster.sh" stop "$cluster"
for name in munged slurmctld slurmd; do
  if pgrep -f "$name.*$cluster" >/dev/null; then fail "$name is still running"; fi
done
[ $status -eq 0 ] && echo "cluster: all jobs as expected"
exit $status
