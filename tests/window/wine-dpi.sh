#!/bin/sh
# Runs a Windows test program under Wine in a prefix of its own beside the
# tests whose screen is 144 DPI (HKCU\Control Panel\Desktop LogPixels), and
# tells the program so (HIVESWEEP_TEST_DPI). Each run starts the prefix's
# wineserver detached from the caller's output and stops it afterwards.
# Usage: wine-dpi.sh prepare DIR
#        wine-dpi.sh run DIR PROGRAM [ARGUMENT...]
set -eu
action=$1
dir=$2
shift 2
export WINEPREFIX="$dir/prefix" HOME="$dir/home" WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
export WINESERVER=/usr/lib/wine/wineserver64 WINELOADER=/usr/lib/wine/wine64
export HIVESWEEP_TEST_DPI=144
mkdir -p "$HOME"
quiet() { "$@" </dev/null >/dev/null 2>&1; }

case "$action" in
  prepare)
    [ -f "$dir/.prepared" ] && exit 0
    quiet "$WINELOADER" wineboot -i
    quiet "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$HIVESWEEP_TEST_DPI" /f
    # Unmanaged windows close without waiting for a window manager.
    quiet "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
    quiet "$WINESERVER" -w
    touch "$dir/.prepared"
    ;;
  run)
    quiet "$WINESERVER" -p
    quiet "$WINELOADER" wineboot
    status=0
    "$WINELOADER" "$@" || status=$?
    quiet "$WINESERVER" -k || true
    quiet "$WINESERVER" -w || true
    exit $status
    ;;
  *)
    echo "usage: $0 prepare DIR | run DIR PROGRAM [ARGUMENT...]" >&2
    exit 2
    ;;
esac
