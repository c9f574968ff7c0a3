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
. "$(dirname "$0")/../../scripts/own-prefix.sh"
own_prefix "$dir"
export HIVESWEEP_TEST_DPI=144

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
    run_in_prefix "$@"
    ;;
  *)
    echo "usage: $0 prepare DIR | run DIR PROGRAM [ARGUMENT...]" >&2
    exit 2
    ;;
esac
