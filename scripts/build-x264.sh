#!/usr/bin/env bash
# Builds x264.exe for Windows (x86_64) from Debian's x264 source package, the
# same version as the installed x264, with mingw-w64: no assembly, no lavf,
# ffms or mp4 output, so it reads y4m and raw input and writes mkv, 264 and
# flv. The result is kept in build-x264/VERSION/x264.exe and built only once
# per package version; the script prints its path.
#
# The source comes through a private package list: a deb-src entry for the
# archive and suite the machine's own sources name, in build-x264/apt/, so the
# machine's sources stay untouched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache="$root/build-x264"

version=$(dpkg-query -W -f='${Version}' x264 2>/dev/null) || {
  echo "build-x264.sh: the x264 package is not installed" >&2
  exit 1
}
dir="$cache/${version//[:~]/_}"
exe="$dir/x264.exe"
if [ -x "$exe" ]; then
  echo "$exe"
  exit 0
fi

# The archive and suite of the machine's first Debian source entry, from a
# deb822 .sources file or a one-line sources.list.
archive="" suite=""
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  archive=$(awk '/^URIs:/ {print $2; exit}' "$f")
  suite=$(awk '/^Suites:/ {print $2; exit}' "$f")
  [ -n "$archive" ] && break
done
if [ -z "$archive" ] && [ -f /etc/apt/sources.list ]; then
  read -r archive suite < <(awk '$1 == "deb" && $2 !~ /^\[/ {print $2, $3; exit}' /etc/apt/sources.list)
fi
[ -n "$archive" ] || { echo "build-x264.sh: no Debian archive in the machine's sources" >&2; exit 1; }

apt_dir="$cache/apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/parts"
echo "deb-src $archive $suite main" >"$apt_dir/sources.list"
apt_opts=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts="$apt_dir/parts"
          -o Dir::State::Lists="$apt_dir/lists" -o APT::Sandbox::User=root)

work="$cache/work"
rm -rf "$work"
mkdir -p "$work"
echo "== fetching the source of x264 $version from $archive $suite" >&2
apt-get "${apt_opts[@]}" -qq update >&2
(cd "$work" && apt-get "${apt_opts[@]}" -qq source "x264=$version" >/dev/null)
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'x264-*' | head -1)
[ -n "$src" ] || { echo "build-x264.sh: the source package did not unpack" >&2; exit 1; }

echo "== building x264.exe with mingw-w64 (about two minutes)" >&2
(
  cd "$src"
  ./configure --host=x86_64-w64-mingw32 --cross-prefix=x86_64-w64-mingw32- \
    --disable-asm --disable-lavf --disable-ffms --disable-gpac --disable-lsmash \
    --disable-swscale --disable-opencl --extra-ldflags=-static >&2
  make -j "$(nproc)" x264.exe >&2
)
mkdir -p "$dir"
cp "$src/x264.exe" "$exe"
rm -rf "$work"
echo "$exe"
