#!/bin/sh
# Runs a Windows test program under Wine in a Japanese locale, where the
# system ANSI code page is 932, in a prefix of its own beside the tests: LANG
# and LC_ALL ja_JP.UTF-8, and the locale compiled into the same folder
# (LOCPATH) so that non-ASCII file names work. Each run starts the prefix's
# wineserver detached from the caller's output and stops it afterwards.
# Usage: wine-ja.sh prepare DIR
#        wine-ja.sh run DIR PROGRAM [ARGUMENT...]
set -eu
action=$1
dir=$2
shift 2
. "$(dirname "$0")/../../scripts/own-prefix.sh"
own_prefix "$dir"

case "$action" in
  prepare)
    [ -f "$dir/.prepared" ] && exit 0
    mkdir -p "$dir/locale"
    localedef -i ja_JP -f UTF-8 "$dir/locale/ja_JP.UTF-8" || [ -f "$dir/locale/ja_JP.UTF-8/LC_CTYPE" ]
    export LOCPATH="$dir/locale" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    quiet "$WINELOADER" wineboot -i
    quiet "$WINESERVER" -w
    touch "$dir/.prepared"
    ;;
  run)
    export LOCPATH="$dir/locale" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    run_in_prefix "$@"
    ;;
  *)
    echo "usage: $0 prepare DIR | run DIR PROGRAM [ARGUMENT...]" >&2
    exit 2
    ;;
esac
