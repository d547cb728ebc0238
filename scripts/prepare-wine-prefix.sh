#!/usr/bin/env bash
# Makes the wine prefix of the Windows build tree (once) and maps the dialog
# font "MS Shell Dlg" to wine's bitmap "MS Sans Serif" (sserife.fon), with the
# metrics Windows gives it (average character width 5, dialog base units
# 6 x 13), so dialogs lay out and expand tabs as they do there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build-win/wineprefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== preparing the wine prefix"
  wineboot -i >/dev/null 2>&1
fi
cp /usr/share/wine/fonts/sserife.fon "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
  /v "MS Shell Dlg" /d "MS Sans Serif" /f >/dev/null 2>&1
wineserver -w
