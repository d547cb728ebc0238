#!/usr/bin/env bash
# The same signals through the three builds of the plug-in, byte for byte:
# the .so (native host), the 64-bit DLL and the 32-bit DLL (each in its own
# host under wine, the 32-bit one under the 32-bit wine).
# Usage: plugin_outputs_test.sh NATIVE_BIN WIN64_BIN WIN32_BIN
set -uo pipefail
native=$1 win64=$2 win32=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { local path=${1//\//\\}; echo "Z:$path"; } # wine maps the Unix root to Z:
status=0
for case in 0 1 2 3; do
  "$native/stubs/plugin_output" "$native/" $case "$work/so-$case" || { echo "FAIL: the .so host, case $case"; status=1; }
  wine "$win64/stubs/plugin_output.exe" "$(win "$win64")\\" $case "$(win "$work/win64-$case")" ||
    { echo "FAIL: the 64-bit host, case $case"; status=1; }
  wine "$win32/stubs/plugin_output.exe" "$(win "$win32")\\" $case "$(win "$work/win32-$case")" ||
    { echo "FAIL: the 32-bit host, case $case"; status=1; }
  size=$(stat -c %s "$work/so-$case" 2>/dev/null || echo 0)
  if [ "$size" -gt 1000000 ] && cmp -s "$work/so-$case" "$work/win64-$case" &&
     cmp -s "$work/so-$case" "$work/win32-$case"; then
    echo "ok: settings case $case, $size bytes alike in all three builds"
  else
    echo "FAIL: settings case $case differs ($(cmp "$work/so-$case" "$work/win64-$case" 2>&1 | head -1);" \
         "$(cmp "$work/so-$case" "$work/win32-$case" 2>&1 | head -1))"
    status=1
  fi
done
exit $status
