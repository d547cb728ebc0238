#!/usr/bin/env bash
# Configures and builds the trees named on the command line (default: native
# and Windows): build/ (native), build-asan/ (native with sanitizers),
# build-tsan/ (native with ThreadSanitizer; only the threads test),
# build-fuzz/ (clang with libFuzzer; only the fuzz targets) and build-win/
# (mingw-w64, for wine; with a real x264.exe for its tests, from
# scripts/build-x264.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
trees=("$@")
[ ${#trees[@]} -eq 0 ] && trees=(build build-win)

for tree in "${trees[@]}"; do
  args=(-DQUORBEL_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  targets=()
  case "$tree" in
    build) ;;
    build-asan) args+=(-DQUORBEL_SANITIZE=address,undefined -DCMAKE_BUILD_TYPE=Debug) ;;
    build-tsan) args+=(-DQUORBEL_SANITIZE=thread); targets=(--target plugin_thread_tests) ;;
    build-fuzz) args+=(-DQUORBEL_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
                targets=(--target fuzz_targets) ;;
    build-win) args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
                      -DQUORBEL_X264_EXE="$("$root/scripts/build-x264.sh")"
                      -DQUORBEL_NATIVE_TREE="$root/build") ;;
    *) echo "build.sh: unknown tree $tree" >&2; exit 2 ;;
  esac
  echo "== configuring and building $tree"
  cmake -S "$root" -B "$root/$tree" "${args[@]}" >/dev/null
  cmake --build "$root/$tree" -j "$jobs" "${targets[@]}"
done
