#!/usr/bin/env bash
# Times quorbel.exe from process start until its window is idle with every
# control created, against a bare Win32 window started the same way, both
# under wine on a virtual display, taking turns for 10 rounds. Each program
# runs from a folder of its own; quorbel starts from its built-in defaults.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-10}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build-win >/dev/null
export WINEPREFIX="$root/build-win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/prepare-wine-prefix.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/quorbel" "$work/bare"
cp "$root/build-win/bin/quorbel.exe" "$work/quorbel/"
cp "$root/build-win/bin/bare_window.exe" "$work/bare/"
xvfb-run -a -s "-screen 0 800x600x24" wine "$root/build-win/bin/window_start.exe" "$rounds" \
  "Z:${work//\//\\}\\bare\\bare_window.exe" "Z:${work//\//\\}\\quorbel\\quorbel.exe" | tr -d '\r'
