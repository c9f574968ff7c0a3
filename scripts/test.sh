#!/usr/bin/env bash
# Builds and runs every test: the native tree (under AddressSanitizer and
# UndefinedBehaviorSanitizer) and the Windows tests' tree (Release with the
# standard library's bounds checks, under Wine, with an X server of its own
# for the window tests). Builds the shipped program, its installer and the
# benchmark in the Windows tree as they ship (Release, no checks). Installs
# what it needs first.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-packages.sh --window || exit 1
jobs=$(nproc)

step() { printf '\n=== %s\n' "$*"; }

step "native build"
cmake --preset native >/dev/null && cmake --build --preset native -j "$jobs" || exit 1
step "windows build (shipped: Release)"
cmake --preset windows >/dev/null && cmake --build --preset windows -j "$jobs" --target hivesweep msi scan_bench || exit 1
step "windows tests build (Release, -D_GLIBCXX_ASSERTIONS)"
cmake --preset windows-tests >/dev/null && cmake --build --preset windows-tests -j "$jobs" || exit 1

# A private X server, so windows never open on the user's display, with a
# small window manager so that focus and activation behave.
xvfb_pid=""
wm_pid=""
cleanup() {
  [[ -n "$wm_pid" ]] && kill "$wm_pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [[ -s "$display_file" ]] && break; sleep 0.1; done
if [[ ! -s "$display_file" ]]; then
  echo "Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$display_file")"
rm -f "$display_file"
openbox >/dev/null 2>&1 &
wm_pid=$!

passed=0
failed=0
run_ctest() {
  local preset=$1 log
  log=$(mktemp)
  ctest --preset "$preset" -j "$2" 2>&1 | tee "$log"
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n1)
  if [[ -z "$line" ]]; then
    failed=$((failed + 1))
  else
    local f t
    f=$(sed -E 's/.*, ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
    t=$(sed -E 's/.*, ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + t - f))
    failed=$((failed + f))
  fi
  rm -f "$log"
}

step "native tests"
run_ctest native "$jobs"
step "windows tests (Wine, display $DISPLAY)"
run_ctest windows-tests 1

echo
echo "total: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
