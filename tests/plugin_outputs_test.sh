#!/usr/bin/env bash
# The same signals through two builds of the plug-in, byte for byte: the .so
# (native host) and a Windows DLL, 64-bit or 32-bit, in its own host under
# wine (the 32-bit one under the 32-bit wine).
# Usage: plugin_outputs_test.sh NATIVE_BIN WINDOWS_BIN
set -uo pipefail
source "$(dirname "$0")/../scripts/wine-env.sh"
native=$1 windows=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { local path=${1//\//\\}; echo "Z:$path"; } # wine maps the Unix root to Z:
status=0
for case in 0 1 2 3; do
  "$native/stubs/plugin_output" "$native/" $case "$work/so-$case" || { echo "FAIL: the .so host, case $case"; status=1; }
  wine "$windows/stubs/plugin_output.exe" "$(win "$windows")\\" $case "$(win "$work/dll-$case")" ||
    { echo "FAIL: the Windows host, case $case"; status=1; }
  size=$(stat -c %s "$work/so-$case" 2>/dev/null || echo 0)
  if [ "$size" -gt 1000000 ] && cmp -s "$work/so-$case" "$work/dll-$case"; then
    echo "ok: settings case $case, $size bytes alike in the .so and $(pe_machine "$windows/dsp_levo.dll") DLL"
  else
    echo "FAIL: settings case $case differs ($(cmp "$work/so-$case" "$work/dll-$case" 2>&1 | head -1))"
    status=1
  fi
done
exit $status
