#!/usr/bin/env bash
# Builds Hivesweep for Windows and starts it under Wine on the user's display,
# in a Wine prefix of its own that holds the demo registry content.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z "${DISPLAY:-}" ]]; then
  echo "No display: Hivesweep is a desktop program and needs an X display (set DISPLAY)." >&2
  exit 1
fi
scripts/ensure-packages.sh --window
if ! timeout 5 xdpyinfo >/dev/null 2>&1; then
  echo "The display $DISPLAY does not answer: Hivesweep needs a running X display." >&2
  exit 1
fi

cmake --preset windows >/dev/null
cmake --build --preset windows --target hivesweep -j "$(nproc)"

run_dir="$PWD/build/run"
mkdir -p "$run_dir"
sed -e "s|@WINE_PREFIX@|$run_dir/prefix|" -e "s|@WINE_HOME@|$run_dir/home|" \
  scripts/wine-env.sh.in >"$run_dir/wine-env.sh"
scripts/prepare-prefix.sh "$run_dir/wine-env.sh"
# shellcheck source=/dev/null
. "$run_dir/wine-env.sh"

# The demo content goes in at every start, so the demo always has findings
# to show, even after an earlier run repaired them.
demo_dir="$WINEPREFIX/drive_c/Hivesweep Demo"
mkdir -p "$demo_dir"
: >"$demo_dir/present.exe"
demo_reg="Z:$(tr '/' '\\' <<<"$PWD/demo/demo.reg")"
"$WINELOADER" regedit "$demo_reg" </dev/null >/dev/null 2>&1

exec "$WINELOADER" build/windows/app/hivesweep.exe
