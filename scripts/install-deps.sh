#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need; does nothing when
# they are all present already. Recommended packages are not installed, so
# every package needed is named here, including those that wine only
# recommends: its fonts (fonts-wine, in libwine's font folder), the GStreamer
# plug-ins its DirectShow uses to read AVI, Matroska and y4m files, and the X
# libraries its display driver loads.
# dpkg-dev unpacks Debian's x264 source package for scripts/build-x264.sh.
# wine32 (an i386 package) runs the 32-bit plug-in's tests; nsis makes the
# installer.
set -euo pipefail

packages=(
  cmake g++ make googletest clang-format clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 g++-mingw-w64-i686
  wine wine64 libwine fonts-wine gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  gstreamer1.0-plugins-bad dpkg-dev wine32:i386 nsis
  libxrender1 libxrandr2 libxcursor1 libxi6 libxcomposite1 libxinerama1 libxfixes3 libxxf86vm1
  xvfb xauth fonts-dejavu-extra imagemagick
  pkg-config libavformat-dev ffmpeg x264 qemu-user libsndfile1-dev sox libbenchmark-dev bc
  slurm-wlm munge
)

# wine32 comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  [ "$(id -u)" -eq 0 ] && dpkg --add-architecture i386 || sudo dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
