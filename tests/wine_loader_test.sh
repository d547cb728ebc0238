#!/usr/bin/env bash
# The choice of wine's loader (scripts/wine-env.sh), forced both ways with
# QUORBEL_I386 as a machine that runs i386 programs and one whose kernel
# refuses them: which `wine` runs, what is skipped and what still runs.
# Usage: wine_loader_test.sh WIN64_BIN WIN32_BIN
set -uo pipefail
win64=$(cd "$1" && pwd) win32=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
scripts=$(cd "$here/../scripts" && pwd)
status=0
fail() { echo "FAIL: $*"; status=1; }
check() { # check WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok: $1: $3"; else fail "$1: expected '$2', got '$3'"; fi
}
# What a fresh shell that sources wine-env.sh with QUORBEL_I386=$1 sees.
seen() {
  QUORBEL_I386="$1" bash -c "source '$scripts/wine-env.sh' && $2" 2>&1
}

echo "== a machine whose kernel runs no i386 programs"
check "wine" "$scripts/wine64-loader/wine" "$(seen no 'command -v wine')"
check "wine-stable (wineboot's launcher)" "$scripts/wine64-loader/wine-stable" "$(seen no 'command -v wine-stable')"
check "WINELOADER" /usr/lib/wine/wine64 "$(seen no 'echo $WINELOADER')"
check "sourced twice, PATH gains the loader once" 1 \
  "$(seen no "source '$scripts/wine-env.sh'; echo \$PATH | tr : '\n' | grep -c wine64-loader")"
out=$(QUORBEL_I386=no "$scripts/wine-run" "$win32/stubs/plugin_output.exe"); code=$?
check "a 32-bit program through wine-run" "77 skipped: this kernel runs no 32-bit programs" "$code $out"
out=$(QUORBEL_I386=no bash "$here/needs_i386.sh" echo ran); code=$?
check "a test that needs i386" "77 skipped: this kernel runs no 32-bit programs" "$code $out"
out=$(QUORBEL_I386=no bash "$here/release_test.sh" installer /nowhere 0 "$win64" | tail -1); code=${PIPESTATUS[0]}
check "the installer's test" "77 skipped: this kernel runs no 32-bit programs" "$code $out"
# A 64-bit program runs under the 64-bit loader, its exit code passed on:
# sizegate.exe asked whether its own size lies between two limits.
self="Z:${win64//\//\\}\\sizegate.exe"
for limits in "0 1000:0" "0 0.001:1"; do
  QUORBEL_I386=no "$scripts/wine-run" "$win64/sizegate.exe" ${limits%:*} "$self" >/dev/null 2>&1
  check "a 64-bit program under the 64-bit loader (sizegate ${limits%:*})" "${limits#*:}" "$?"
done
check "wine's cmd under the 64-bit loader" 7 "$(seen no 'wine cmd /c exit 7 >/dev/null 2>&1; echo $?')"

echo "== a machine that runs i386 programs"
check "wine" /usr/bin/wine "$(seen yes 'command -v wine')"
check "WINELOADER" "" "$(seen yes 'echo ${WINELOADER:-}')"
out=$(QUORBEL_I386=yes bash "$here/needs_i386.sh" echo ran); code=$?
check "a test that needs i386" "0 ran" "$code $out"

echo "== the choice itself"
if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then expected=yes; else expected=no; fi
check "found on this machine" "$expected" "$(env -u QUORBEL_I386 bash -c "source '$scripts/wine-env.sh'; echo \$QUORBEL_I386")"
seen maybe true >/dev/null; code=$?
check "a value other than yes or no is refused" 2 "$code"
check "the 64-bit DLL's machine" x86-64 "$(seen yes "pe_machine '$win64/dsp_levo.dll'")"
check "the 32-bit DLL's machine" i386 "$(seen yes "pe_machine '$win32/dsp_levo.dll'")"
check "not a PE file" unknown "$(seen yes "pe_machine '$here/wine_loader_test.sh'")"
exit $status
