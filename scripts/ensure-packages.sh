#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when one is missing.
# Usage: ensure-packages.sh [--window]   (--window adds the X server and window manager)
set -euo pipefail

packages=(cmake ninja-build g++ googletest libbenchmark-dev clang libclang-rt-14-dev
          g++-mingw-w64-x86-64-posix wine wine64)
if [[ "${1:-}" == "--window" || "${1:-}" == "--all" ]]; then
  packages+=(xvfb openbox x11-utils imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[[ $(id -u) -ne 0 ]] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
