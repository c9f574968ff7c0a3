# Sourced by the scripts that run a Windows test program in a Wine prefix of
# its own beside the tests (DIR/prefix, with HOME at DIR/home).
#   own_prefix DIR        the Wine environment for that prefix
#   quiet COMMAND...      runs a command detached from the caller's output
#   run_in_prefix PROGRAM [ARGUMENT...]
#                         starts the prefix's wineserver detached from the
#                         caller's output, runs the program, stops the server
#                         and exits with the program's status
own_prefix() {
  export WINEPREFIX="$1/prefix" HOME="$1/home" WINEDEBUG=-all WINEARCH=win64
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
  export WINESERVER=/usr/lib/wine/wineserver64 WINELOADER=/usr/lib/wine/wine64
  mkdir -p "$HOME"
}

quiet() { "$@" </dev/null >/dev/null 2>&1; }

run_in_prefix() {
  quiet "$WINESERVER" -p
  quiet "$WINELOADER" wineboot
  status=0
  "$WINELOADER" "$@" || status=$?
  quiet "$WINESERVER" -k || true
  quiet "$WINESERVER" -w || true
  exit $status
}
