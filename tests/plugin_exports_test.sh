#!/usr/bin/env bash
# What can be checked of each plug-in DLL without running it: it is built for
# the machine its players run on, it exports exactly one name,
# winampDSPGetHeader2, undecorated, and it imports only from DLLs every
# Windows has (no compiler runtime DLL to ship beside it).
# Usage: plugin_exports_test.sh MACHINE DLL [MACHINE DLL ...]   (MACHINE: x86-64 or i386)
set -u
source "$(dirname "$0")/../scripts/wine-env.sh"
system_dlls='^(kernel32|user32|comctl32|gdi32|msvcrt)\.dll$'
status=0
while [ $# -ge 2 ]; do
  machine=$1 dll=$2
  shift 2
  dump=$(x86_64-w64-mingw32-objdump -p "$dll")
  names=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' \
          | sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p')
  imports=$(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  built=$(pe_machine "$dll")
  if [ "$built" = "$machine" ]; then
    echo "ok: $dll is built for $built"
  else
    echo "FAIL: $dll is built for $built, not $machine"
    status=1
  fi
  if [ "$names" = "winampDSPGetHeader2" ]; then
    echo "ok: $dll exports: $names"
  else
    echo "FAIL: $dll exports: ${names:-nothing}"
    status=1
  fi
  foreign=$(echo "$imports" | grep -Evi "$system_dlls")
  if [ -n "$imports" ] && [ -z "$foreign" ]; then
    echo "ok: $dll imports from: $(echo "$imports" | paste -sd ' ')"
  else
    echo "FAIL: $dll imports from DLLs Windows does not have: ${foreign:-none listed}"
    status=1
  fi
done
exit $status
