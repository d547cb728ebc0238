#!/usr/bin/env bash
# The release as a Windows user gets it (scripts/package.sh), under wine.
#   installer: the installer runs silently into a folder of the test's own,
#     quorbel.exe starts from there and writes its settings there, and the
#     uninstaller removes what was installed and keeps what the user made.
#     The installer is a 32-bit program: skipped on a machine that runs none.
#   zip: the zip unpacks into a folder whose name has a space and quorbel.exe
#     starts from it; every packaged program and DLL, and the installer,
#     carries its version resource.
# Usage: release_test.sh installer|zip DIST_FOLDER VERSION BIN_FOLDER
set -uo pipefail
source "$(dirname "$0")/../scripts/wine-env.sh"
part=$1 dist=$2 version=$3 bin=$4
case "$part" in installer | zip) ;; *) echo "release_test.sh: installer or zip, not $part" >&2; exit 2 ;; esac
[ "$part" = installer ] && skip_without_i386
driver="$bin/stubs/window_driver.exe"
reader="$bin/stubs/version_info.exe"
stage="$dist/quorbel-$version"
if [ ! -f "$dist/quorbel-$version-setup.exe" ]; then
  echo "no release in $dist: scripts/package.sh makes it"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { local path=${1//\//\\}; echo "Z:$path"; } # wine maps the Unix root to Z:
status=0
fail() { echo "FAIL: $*"; status=1; }
packaged=$(cd "$stage" && find . -type f | sed 's|^\./||' | sort)

# Starts quorbel.exe from FOLDER, waits for its window, takes its note that
# no x264.exe is there yet, and ends it through "Cancel"; the settings it
# leaves are FOLDER/quorbel.ini.
start_and_close() {
  (cd "$1" && wine ./quorbel.exe) &
  local program=$!
  wine "$driver" wait && wine "$driver" answer x264 ok && wine "$driver" cancel ||
    fail "no window, or no note about x264.exe, from $1"
  wait $program
  [ -f "$1/quorbel.ini" ] || fail "no quorbel.ini in $1"
}

if [ "$part" = installer ]; then
  echo "== the installer, silently"
  inst="$work/Programs/quorbel"
  wine "$dist/quorbel-$version-setup.exe" /S "/D=$(win "$inst")" || fail "the installer failed"
  for f in $packaged uninstall.exe; do [ -f "$inst/$f" ] || fail "not installed: $f"; done
  shortcut=$(find "$WINEPREFIX/drive_c/users" -name quorbel.lnk -path '*Programs*' | head -1)
  [ -n "$shortcut" ] || fail "no Start-menu shortcut"
  key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\quorbel'
  wine reg query "$key" /v DisplayVersion 2>/dev/null | grep -q "$version" || fail "no uninstall entry"
  start_and_close "$inst"

  echo "== the uninstaller keeps the user's files"
  mkdir -p "$inst/configs"
  printf 'mode = 2\r\n' >"$inst/configs/mine.ini"
  printf 'FFmpegSource2(fs)\r\n' >"$inst/avsinc/mine.avs"
  printf '@echo.\r\n@echo+\r\n' >"$inst/quorbel.jobs"
  wine "$inst/uninstall.exe" /S
  for _ in $(seq 1 60); do [ -f "$inst/quorbel.exe" ] || break; sleep 0.5; done
  sleep 1
  for f in $packaged uninstall.exe; do [ -f "$inst/$f" ] && fail "left behind: $f"; done
  [ -d "$inst/x64" ] && fail "left behind: x64"
  for f in quorbel.ini quorbel.jobs configs/mine.ini avsinc/mine.avs; do
    [ -f "$inst/$f" ] || fail "the user's $f was removed"
  done
  [ -e "$shortcut" ] && fail "the Start-menu shortcut is left"
  wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is left"
  [ $status -eq 0 ] && echo "the release installs, starts and uninstalls as it should"
  exit $status
fi

echo "== the zip, in a folder whose name has a space"
mkdir -p "$work/un zipped"
(cd "$work/un zipped" && cmake -E tar xf "$dist/quorbel-$version-win64.zip") || fail "the zip does not unpack"
unzipped="$work/un zipped/quorbel-$version"
[ "$(cd "$unzipped" && find . -type f | sed 's|^\./||' | sort)" = "$packaged" ] ||
  fail "the zip holds other files than the release"
start_and_close "$unzipped"

echo "== version resources"
files=()
while read -r f; do files+=("$(win "$stage/$f")"); done < <(echo "$packaged" | grep -E '\.(exe|dll)$')
files+=("$(win "$dist/quorbel-$version-setup.exe")")
wine "$reader" "${files[@]}" | tr -d '\r' | while IFS='|' read -r file product fileversion description fixed; do
  echo "   ${file##*\\}: $product $fileversion, $description"
  [ "$product" = quorbel ] && [ "$fileversion" = "$version" ] && [ -n "$description" ] &&
    [ "$fixed" = "$version" ] || { echo "FAIL: version resource of $file"; exit 1; }
done || status=1
[ $status -eq 0 ] && echo "the release unpacks and starts as it should"
exit $status
