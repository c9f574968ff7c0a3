#!/usr/bin/env bash
# Copies the main-window screenshots that the window tests wrote into the help
# file's pictures (help/images), compressed. Run it after the window tests,
# then rebuild: the build compiles the help from what help/images holds and
# never waits for the tests.
# Usage: refresh-help-screenshots.sh [BUILD_DIR]
#   (default: build/windows-tests, or build/windows when that has none)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/windows-tests}
if [[ $# -eq 0 ]] && ! find "$build/tests" -path '*/screenshots/*.png' -print -quit 2>/dev/null | grep -q .; then
  build=build/windows
fi

status=0
for picture in help/images/*.png; do
  name=$(basename "$picture")
  shot=$(find "$build/tests" -path '*/screenshots/*' -name "$name" -print -quit 2>/dev/null)
  if [[ -z "$shot" ]]; then
    echo "no screenshot $name under $build/tests: run the window tests first" >&2
    status=1
    continue
  fi
  convert "$shot" -strip -depth 8 -define png:compression-level=9 "$picture"
  echo "$picture <- $shot"
done
exit $status
