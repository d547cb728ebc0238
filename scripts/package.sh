#!/usr/bin/env bash
# The release: builds the Windows tree and writes into build-win/dist/
#   quorbel-VERSION-win64.zip    a portable folder quorbel-VERSION/
#   quorbel-VERSION-setup.exe    a per-user installer (Debian's nsis)
# Both hold the programs, the 32-bit plug-in (the 64-bit one in x64\), the
# include script avsinc\default.avs, README.txt for Windows users and the
# licence. VERSION is the CMake project version. Prints the two paths.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
"$root/scripts/build.sh" build-win >&2
win="$root/build-win"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$win/CMakeCache.txt")
[ -n "$version" ] || { echo "package.sh: no project version in $win/CMakeCache.txt" >&2; exit 1; }
dist="$win/dist"
name="quorbel-$version"
stage="$dist/$name"
rm -rf "$stage" "$dist/$name-win64.zip" "$dist/$name-setup.exe"
mkdir -p "$stage/x64" "$stage/avsinc"

for exe in quorbel quorbel-cli runlog sizegate toolenv pausems; do cp "$win/bin/$exe.exe" "$stage/"; done
cp "$win/i686/bin/dsp_levo.dll" "$stage/dsp_levo.dll"
cp "$win/bin/dsp_levo.dll" "$stage/x64/dsp_levo.dll"
# Without their debugging sections: the build keeps those.
for f in "$stage"/*.exe "$stage/x64/dsp_levo.dll"; do x86_64-w64-mingw32-strip "$f"; done
i686-w64-mingw32-strip "$stage/dsp_levo.dll"
crlf() { sed 's/$/\r/' "$1"; }
sed "s/@VERSION@/$version/g" "$root/packaging/README.txt" | sed 's/$/\r/' >"$stage/README.txt"
crlf "$root/LICENSE" >"$stage/LICENSE.txt"
# The include script as the program itself writes it, into an empty folder.
export WINEPREFIX="$win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/prepare-wine-prefix.sh" >&2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
wine "$win/bin/quorbel-cli.exe" --program-folder "Z:${scratch//\//\\}\\" >/dev/null 2>&1 || true
cp "$scratch/avsinc/default.avs" "$stage/avsinc/default.avs"

(cd "$dist" && cmake -E tar cf "$name-win64.zip" --format=zip "$name")

# The installer's lists of what it installs and what its uninstaller removes.
nsis="$scratch/nsis"
mkdir -p "$nsis"
cp "$root/packaging/quorbel.nsi" "$nsis/"
{
  (cd "$stage" && find . -type d | sort) | while read -r dir; do
    rel=${dir#.}; rel=${rel#/}
    echo "SetOutPath \"\$INSTDIR${rel:+\\${rel//\//\\}}\""
    (cd "$stage/$dir" && find . -maxdepth 1 -type f | sort) | while read -r f; do
      echo "File \"$stage/${rel:+$rel/}${f#./}\""
    done
  done
  echo 'SetOutPath "$INSTDIR"'
} >"$nsis/files.nsh"
{
  (cd "$stage" && find . -type f | sort) | while read -r f; do
    rel=${f#./}
    echo "Delete \"\$INSTDIR\\${rel//\//\\}\""
  done
  (cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r d; do
    rel=${d#./}
    echo "RMDir \"\$INSTDIR\\${rel//\//\\}\""
  done
} >"$nsis/uninstall.nsh"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$dist/$name-setup.exe" \
  "$nsis/quorbel.nsi" >&2
echo "$dist/$name-win64.zip"
echo "$dist/$name-setup.exe"
