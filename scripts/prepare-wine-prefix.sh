#!/usr/bin/env bash
# Makes the wine prefix of the Windows build tree (once) and maps the dialog
# font "MS Shell Dlg" to wine's bitmap "MS Sans Serif" (sserife.fon), with the
# metrics Windows gives it (average character width 5, dialog base units
# 6 x 13), so dialogs lay out and expand tabs as they do there. Tahoma (the
# window's font) and Marlett (the caption buttons' symbols) are put in the
# prefix's font folder too, where wine finds them. Wine draws the windows'
# frames itself, so pictures taken on a virtual display without a window
# manager show title bars.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
export WINEPREFIX=${WINEPREFIX:-$root/build-win/wineprefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== preparing the wine prefix"
  wineboot -i >/dev/null 2>&1
fi
for font in sserife.fon tahoma.ttf tahomabd.ttf marlett.ttf; do
  cp /usr/share/wine/fonts/$font "$WINEPREFIX/drive_c/windows/Fonts/"
done
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
  /v "MS Shell Dlg" /d "MS Sans Serif" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
