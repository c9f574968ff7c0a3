#!/bin/sh
# Makes a Wine prefix ready for Hivesweep, once: a fresh 64-bit prefix with the
# .reg file association that Windows has (Wine has none, and Restore in the
# Undo Center opens backups through it).
# Usage: prepare-prefix.sh [--test] WINE_ENV_FILE
#   --test  also makes windows unmanaged, so that closing one costs no delay
#           when no window manager answers.
set -eu
test_prefix=0
if [ "$1" = "--test" ]; then test_prefix=1; shift; fi
. "$1"

stamp="$WINEPREFIX/.hivesweep-prepared"
[ -f "$stamp" ] && exit 0

mkdir -p "$WINEPREFIX"
"$WINELOADER" wineboot -i </dev/null >/dev/null 2>&1
reg() { "$WINELOADER" reg "$@" </dev/null >/dev/null 2>&1; }
reg add 'HKCR\.reg' /ve /d regfile /f
reg add 'HKCR\regfile\shell\open\command' /ve /d 'regedit.exe "%1"' /f
if [ "$test_prefix" = 1 ]; then
  reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
fi
"$WINESERVER" -w </dev/null >/dev/null 2>&1
touch "$stamp"
