#!/usr/bin/env bash
# The main job: installs what it needs and builds the programs, natively and
# for Windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build build-win
echo
echo "Built: native programs in build/bin/, Windows programs in build-win/bin/:"
ls "$root/build/bin" "$root/build-win/bin"
