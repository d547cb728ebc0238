# Sourced by every script and test that starts wine: decides once whether
# this machine runs 32-bit (i386) programs and starts wine accordingly.
#
# QUORBEL_I386=yes  the machine runs i386 programs: Debian's `wine` launcher
#                   as it is (the 32-bit loader, which runs 64-bit programs
#                   too, and 32-bit ones under WoW64).
# QUORBEL_I386=no   the kernel refuses i386 programs ("Exec format error"):
#                   every Windows program runs under the 64-bit loader, whose
#                   `wine` and `wine-stable` (which wineboot and the other
#                   tools call) come first in PATH, and programs or tests
#                   that need 32-bit Windows are skipped.
# Unset, it is found out by running the i386 dynamic loader, and exported so
# that everything started from here agrees; tests set it to force one answer.
wine_env_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ -z "${QUORBEL_I386:-}" ]; then
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then QUORBEL_I386=yes; else QUORBEL_I386=no; fi
fi
case "$QUORBEL_I386" in
  yes)
    # Debian's launcher, also where a caller had chosen the 64-bit one.
    PATH=$(echo "$PATH" | tr : '\n' | grep -vx "$wine_env_dir/wine64-loader" | paste -sd :)
    [ "${WINELOADER:-}" = /usr/lib/wine/wine64 ] && unset WINELOADER
    export PATH ;;
  no)
    export WINELOADER=/usr/lib/wine/wine64
    case ":$PATH:" in
      *":$wine_env_dir/wine64-loader:"*) ;;
      *) PATH="$wine_env_dir/wine64-loader:$PATH" ;;
    esac
    export PATH ;;
  *) echo "QUORBEL_I386 must be yes or no, not '$QUORBEL_I386'" >&2; return 2 ;;
esac
export QUORBEL_I386

# Why a test that needs 32-bit Windows is skipped; ctest's skip code.
wine_no_i386_reason="this kernel runs no 32-bit programs"
wine_skip_code=77

# The machine a PE file is built for: i386, x86-64 or unknown.
pe_machine() {
  local at machine
  at=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$at" ] || { echo unknown; return; }
  machine=$(od -An -tx2 -j$((at + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
  case "$machine" in
    014c) echo i386 ;;
    8664) echo x86-64 ;;
    *) echo unknown ;;
  esac
}

# Ends the calling test as skipped when this machine cannot run 32-bit
# Windows programs.
skip_without_i386() {
  if [ "$QUORBEL_I386" = no ]; then
    echo "skipped: $wine_no_i386_reason"
    exit $wine_skip_code
  fi
}
