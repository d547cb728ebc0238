#!/usr/bin/env bash
# Configures and builds the trees named on the command line (default: native
# and Windows): build/ (native), build-asan/ (native with sanitizers) and
# build-win/ (mingw-w64, for wine).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
trees=("$@")
[ ${#trees[@]} -eq 0 ] && trees=(build build-win)

for tree in "${trees[@]}"; do
  args=(-DQUORBEL_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  case "$tree" in
    build) ;;
    build-asan) args+=(-DQUORBEL_SANITIZE=address,undefined -DCMAKE_BUILD_TYPE=Debug) ;;
    build-win) args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake") ;;
    *) echo "build.sh: unknown tree $tree" >&2; exit 2 ;;
  esac
  echo "== configuring and building $tree"
  cmake -S "$root" -B "$root/$tree" "${args[@]}" >/dev/null
  cmake --build "$root/$tree" -j "$jobs"
done
