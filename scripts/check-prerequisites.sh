#!/usr/bin/env bash
# Checks, before any build or test, that every program and file the builds
# and tests take from outside the repository is there. For each one missing
# it says in one line what it is and which package brings it; exit code 1
# when anything is missing.
set -uo pipefail
gst=/usr/lib/x86_64-linux-gnu/gstreamer-1.0
missing=0
need() { # need PATH_OR_COMMAND PACKAGE
  case $1 in
    /*) [ -e "$1" ] && return ;;
    *) command -v "$1" >/dev/null 2>&1 && return ;;
  esac
  echo "missing: $1 (package $2)"
  missing=1
}
need cmake cmake
need g++ g++
need clang-format clang-format
need clang++ clang
need /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a libclang-rt-14-dev
need x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64
need i686-w64-mingw32-g++-posix g++-mingw-w64-i686
need x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64
need /usr/src/googletest/CMakeLists.txt googletest
need wine wine
need /usr/lib/wine/wine64 wine64
need /usr/lib/wine/wine wine32:i386
need makensis nsis
need xvfb-run xvfb
need xauth xauth
need import imagemagick
need /usr/share/wine/fonts libwine
need /usr/share/wine/fonts/sserife.fon fonts-wine
need /usr/share/wine/fonts/tahoma.ttf fonts-wine
need /usr/share/wine/fonts/tahomabd.ttf fonts-wine
need /usr/share/wine/fonts/marlett.ttf fonts-wine
need $gst/libgstplayback.so gstreamer1.0-plugins-base
need $gst/libgstavi.so gstreamer1.0-plugins-good
need $gst/libgsty4mdec.so gstreamer1.0-plugins-bad
need dpkg-source dpkg-dev
need pkg-config pkg-config
need /usr/include/x86_64-linux-gnu/libavformat/avformat.h libavformat-dev
need /usr/include/sndfile.h libsndfile1-dev
need ffmpeg ffmpeg
need x264 x264
need sox sox
need bc bc
need qemu-x86_64 qemu-user
need sbatch slurm-client
need slurmctld slurmctld
need slurmd slurmd
need munged munge
exit $missing
