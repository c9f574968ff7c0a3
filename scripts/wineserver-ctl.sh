#!/bin/sh
# Starts or stops the persistent wineserver of one prefix, detached from the
# caller's output so that nothing waits on Wine's background processes.
# Usage: wineserver-ctl.sh start|stop WINE_ENV_FILE
set -u
. "$2"
case "$1" in
  start)
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    "$WINELOADER" wineboot </dev/null >/dev/null 2>&1
    ;;
  stop)
    "$WINESERVER" -k </dev/null >/dev/null 2>&1
    "$WINESERVER" -w </dev/null >/dev/null 2>&1
    ;;
  *)
    echo "usage: $0 start|stop WINE_ENV_FILE" >&2
    exit 2
    ;;
esac
exit 0
