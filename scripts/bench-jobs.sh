#!/usr/bin/env bash
# Queuing speed: "Files input" with 1,000 and 4,000 names through the real
# window under wine (the dialogs answered by the benchmark), and add_job
# × 1,000 and × 4,000 natively (Google Benchmark).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build build-win >/dev/null
export WINEPREFIX="$root/build-win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/prepare-wine-prefix.sh"
echo "== Files input through the window, under wine"
xvfb-run -a wine "$root/build-win/bin/files_input_bench.exe" | tr -d '\r'
echo "== add_job natively"
"$root/build/bin/jobs_bench" --benchmark_filter=AddJobs
