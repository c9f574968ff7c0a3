#!/usr/bin/env bash
# The scan benchmark under Wine: the full scan against `regedit /e` exporting
# the same registry, with a bare enumeration walk as the floor and that walk
# plus the scan's required message processing and existence tests as the
# limit. It runs in a Wine prefix of its own (build/bench-wine/prefix) that
# holds the default Wine registry plus the benchmark content
# (bench/wine/bench-data.awk: 50,000 keys, 200,000 values), imported once per
# prefix. Not part of scripts/test.sh.
#
# Usage: scripts/bench.sh [RUNS [OPTIONS...]]   (RUNS default 5; the medians are quoted)
#        scripts/bench.sh click [COUNT [OPTIONS...]]   (COUNT default 20)
#   The second form times how late a click on a Stop button is handled while
#   the scan runs: bench/native/stop_click.cpp clicks it through the X server
#   COUNT times.
#   OPTIONS go to scan_bench.exe: --profile (where the scan's time goes),
#   --no-label, --hidden, --frozen-list, --pump win32|peek|noyield|none,
#   --only scan|floor|regedit|limit.
# Environment: BENCH_BUILD_DIR (default build/windows) is the Windows tree
# that builds bench/scan_bench.exe; BENCH_EXE, when set, is a scan_bench.exe
# built earlier to run instead (to compare two builds on the same prefix);
# BENCH_CPU (default 0) is the one processor
# that the X server, the wineserver and every Wine process run on, or "all".
# Every registry call is a round trip to the wineserver; on a virtual machine
# a wake-up across processors can cost several times the call itself, and
# varies from minute to minute, so by default the whole benchmark shares one
# processor. The scan, regedit, the floor and the limit are measured alike
# either way.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=runs
if [[ "${1:-}" == click ]]; then
  mode=click
  shift
  clicks="${1:-20}"
else
  runs="${1:-5}"
fi
[[ $# -gt 0 ]] && shift
build_dir="${BENCH_BUILD_DIR:-build/windows}"
cpu="${BENCH_CPU:-0}"
pin=()
[[ "$cpu" != all ]] && pin=(taskset -c "$cpu")

scripts/ensure-packages.sh --window
if [[ -n "${BENCH_EXE:-}" ]]; then
  exe="$(realpath "$BENCH_EXE")"
else
  if [[ "$build_dir" == build/windows ]]; then
    cmake --preset windows >/dev/null
  else
    cmake --preset windows -B "$build_dir" >/dev/null
  fi
  cmake --build "$build_dir" -j "$(nproc)" --target scan_bench
  exe="$PWD/$build_dir/bench/scan_bench.exe"
fi

bench_dir="$PWD/build/bench-wine"
mkdir -p "$bench_dir"
sed -e "s|@WINE_PREFIX@|$bench_dir/prefix|" -e "s|@WINE_HOME@|$bench_dir/home|" \
  scripts/wine-env.sh.in >"$bench_dir/wine-env.sh"
# --test: windows unmanaged, so that no window manager is needed.
scripts/prepare-prefix.sh --test "$bench_dir/wine-env.sh"
# shellcheck source=/dev/null
. "$bench_dir/wine-env.sh"

# A private X server for the list view's window, never the user's display.
xvfb_pid=""
cleanup() {
  "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  return 0
}
trap cleanup EXIT
display_file=$(mktemp)
"${pin[@]}" Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [[ -s "$display_file" ]] && break; sleep 0.1; done
if [[ ! -s "$display_file" ]]; then
  echo "Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$display_file")"
rm -f "$display_file"

# One persistent wineserver for the whole run, detached from our output.
"${pin[@]}" "$WINESERVER" -p </dev/null >/dev/null 2>&1
"${pin[@]}" "$WINELOADER" wineboot </dev/null >/dev/null 2>&1

stamp="$WINEPREFIX/.hivesweep-bench-data"
last_key='HKLM\Software\Hivesweep Bench\Group 250\Entry 199'
if [[ ! -f "$stamp" ]]; then
  echo "Importing the benchmark content (once per prefix)..."
  awk -f bench/wine/bench-data.awk >"$bench_dir/bench-data.reg"
  "${pin[@]}" "$WINELOADER" regedit "Z:$(tr '/' '\\' <<<"$bench_dir/bench-data.reg")" </dev/null >/dev/null 2>&1
  # regedit exits 0 whatever happened: read the last key back.
  if ! "${pin[@]}" "$WINELOADER" reg query "$last_key" </dev/null >/dev/null 2>&1; then
    echo "The import of the benchmark content failed" >&2
    exit 1
  fi
  touch "$stamp"
fi

if [[ "$mode" == click ]]; then
  c++ -std=c++17 -O2 -Wall -Wextra -Werror bench/native/stop_click.cpp -ldl -o "$bench_dir/stop_click"
  # The clicker stands for the user's mouse: it is not pinned.
  "${pin[@]}" "$WINELOADER" "$exe" --stop-click "$clicks" "$@" </dev/null | "$bench_dir/stop_click" "$clicks"
  exit
fi
"${pin[@]}" "$WINELOADER" "$exe" --runs "$runs" --export 'C:\hivesweep-bench-export.reg' "$@" </dev/null
