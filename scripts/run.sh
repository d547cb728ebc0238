#!/usr/bin/env bash
# The main job: installs what it needs, builds the programs natively and for
# Windows, and starts quorbel.exe, the window, under wine: on the user's
# display when there is one (it runs until the user closes it), else on a
# virtual display, where a picture of each of its five pages is saved into
# build-win/pictures/ and the program is ended through "Cancel". Then the job
# generator shows a batch file for a sample clip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build build-win

echo
export WINEPREFIX="$root/build-win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/prepare-wine-prefix.sh"
if [ -n "${DISPLAY:-}" ]; then
  echo "== quorbel.exe on your display; close it to go on"
  wine "$root/build-win/bin/quorbel.exe"
else
  echo "== quorbel.exe on a virtual display: pictures of its pages"
  "$root/scripts/window-pictures.sh" "$root/build-win/bin" "$root/build-win/pictures"
fi
echo "settings it left: build-win/bin/quorbel.ini"

sample="$root/build/sample"
mkdir -p "$sample"
[ -f "$sample/clip.avi" ] || ffmpeg -loglevel error -y -f lavfi -i testsrc=size=320x240:rate=25 \
  -f lavfi -i sine=frequency=440 -t 60 -c:v rawvideo -pix_fmt bgr24 -c:a pcm_s16le "$sample/clip.avi"

echo
echo "== quorbel-cli: 'Automated Double Passes' to 20 MB with Nero audio, muxed by MP4Box"
"$root/build/bin/quorbel-cli" --set mode=6 --set sizemode=1 --set value=20 --set aud=1 \
  --bat "$sample/jobs" "$sample/clip.avi"
cat "$sample/jobs.bat"

echo
echo "== the same job from the Windows build, under wine"
xvfb-run -a wine "$root/build-win/bin/quorbel-cli.exe" --set mode=6 --set sizemode=1 --set value=20 \
  --set aud=1 "Z:${sample//\//\\}\\clip.avi" 2>/dev/null | tr -d '\r'
echo "(wine has no AviSynth: the wrapper cannot be measured, so the passes carry no -B piece)"
