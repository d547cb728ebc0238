#!/usr/bin/env bash
# Each plug-in DLL exports exactly one name, winampDSPGetHeader2, undecorated.
set -u
status=0
for dll in "$@"; do
  names=$(x86_64-w64-mingw32-objdump -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' \
          | sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p')
  arch=$(x86_64-w64-mingw32-objdump -f "$dll" | grep -o 'file format .*')
  if [ "$names" = "winampDSPGetHeader2" ]; then
    echo "ok: $dll ($arch) exports: $names"
  else
    echo "FAIL: $dll ($arch) exports: ${names:-nothing}"
    status=1
  fi
done
exit $status
