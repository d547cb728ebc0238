#!/usr/bin/env bash
# Shows the plug-in's dialog under wine on a virtual display while a stand-in
# host feeds it audio, and saves a screenshot (default: dialog.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
out=${1:-dialog.png}
export WINEPREFIX="$root/build-win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/prepare-wine-prefix.sh"
xvfb-run -a -s "-screen 0 800x600x24" bash -c "
  wine '$root/build-win/bin/stubs/dialog_preview.exe' echo &
  sleep 3
  import -window root '$out'
  wait"
echo "saved $out"
