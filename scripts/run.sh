#!/usr/bin/env bash
# The main job: installs what it needs, builds the programs natively and for
# Windows (with an x264.exe built from Debian's x264 source, put beside
# quorbel.exe), and starts quorbel.exe, the window, under wine: on the user's
# display when there is one (it runs until the user closes it), else on a
# virtual display, where pictures of the start-up question and of the five
# pages are saved into build-win/pictures/ and the program is ended through
# "Cancel". Then quorbel-cli writes a two-pass job to a target size for a
# sample clip, wine's command interpreter runs it with the tools and x264.exe,
# and ffprobe shows the video that came out.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build build-win
bin="$root/build-win/bin"
cp "$("$root/scripts/build-x264.sh")" "$bin/x264.exe"

# A sample clip: 320x240, 250 frames of moving pictures with noise.
sample="$root/build/sample"
mkdir -p "$sample"
[ -f "$sample/clip.y4m" ] || ffmpeg -loglevel error -y -f lavfi -i testsrc2=size=320x240:rate=25 \
  -frames:v 250 -vf noise=alls=24:allf=t -pix_fmt yuv420p "$sample/clip.y4m"
win() { local path=${1//\//\\}; echo "Z:$path"; } # wine maps the Unix root to Z:

echo
export WINEPREFIX="$root/build-win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/prepare-wine-prefix.sh"
if [ -n "${DISPLAY:-}" ]; then
  echo "== quorbel.exe on your display; close it to go on"
  wine "$bin/quorbel.exe"
else
  echo "== quorbel.exe on a virtual display: pictures of its question and its pages"
  "$root/scripts/window-pictures.sh" "$bin" "$root/build-win/pictures" "$sample/clip.y4m"
fi
echo "settings it left: build-win/bin/quorbel.ini"


echo
echo "== quorbel-cli: 'Automated Double Passes' to 2 MB, lines for current x264, which opens the clip itself"
rm -f "$sample/clip.mkv"
xvfb-run -a wine "$bin/quorbel-cli.exe" --set x264cli=current --set x264input=direct --set mode=6 \
  --set sizemode=1 --set value=2 --set "infile=$(win "$sample/clip.y4m")" \
  --set "outfile=$(win "$sample/clip.mkv")" --set "statsname=$(win "$sample/clip.stat")" \
  --set "logname=$(win "$sample/clip.txt")" --bat "$(win "$sample/jobs")" 2>/dev/null
tr -d '\r' <"$sample/jobs.bat"
echo
echo "== the batch file run by wine's command interpreter"
wine cmd /c "$(win "$sample/jobs.bat")" 2>&1 | tr '\r' '\n' |
  grep -E '^(Input|Output|Encode Mode):|^encoded ' || true
echo
echo "== the video: $sample/clip.mkv ($(stat -c %s "$sample/clip.mkv") bytes for a 2 MB target)"
ffprobe -v error -count_frames -show_entries stream=codec_name,width,height,nb_read_frames \
  -of default=noprint_wrappers=1 "$sample/clip.mkv"
