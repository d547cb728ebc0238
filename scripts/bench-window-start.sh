#!/usr/bin/env bash
# Times quorbel.exe from process start until its window is idle with every
# control of its first page created, against a bare Win32 window and against
# a window with the same first-page controls but no program around them
# (bench/controls_window_win32.cpp), all under wine on a virtual display,
# taking turns for ROUNDS rounds (default 20). The programs are stripped, as
# the release ships them; each runs from a folder of its own, and quorbel
# starts from its built-in defaults.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
rounds=${1:-20}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build-win >/dev/null
export WINEPREFIX="$root/build-win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/prepare-wine-prefix.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
programs=()
for name in bare_window controls_window quorbel; do
  mkdir -p "$work/$name"
  x86_64-w64-mingw32-strip -o "$work/$name/$name.exe" "$root/build-win/bin/$name.exe"
  programs+=("Z:${work//\//\\}\\$name\\$name.exe")
done
xvfb-run -a -s "-screen 0 800x600x24" wine "$root/build-win/bin/window_start.exe" "$rounds" \
  "${programs[@]}" | tr -d '\r'
