#!/usr/bin/env bash
# The whole test suite on a fresh machine: installs what it needs, builds the
# native, sanitized and Windows trees, and runs every test of each (the
# Windows ones under wine). Exits non-zero when anything fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/install-deps.sh" || exit 1
"$root/scripts/check-prerequisites.sh" || exit 1
"$root/scripts/build.sh" build build-asan build-win || exit 1

# A wine prefix private to the Windows tree.
export WINEPREFIX="$root/build-win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/prepare-wine-prefix.sh" || exit 1

status=0
for tree in build build-asan; do
  echo "== testing $tree"
  ctest --test-dir "$root/$tree" --output-on-failure -j 2 || status=1
done
# The Windows tests run under wine, with a virtual display for DirectShow
# and the dialogs.
echo "== testing build-win"
xvfb-run -a ctest --test-dir "$root/build-win" --output-on-failure -j 2 || status=1
wineserver -k 2>/dev/null || true

[ $status -eq 0 ] && echo "all test trees passed" || echo "some tests FAILED"
exit $status
