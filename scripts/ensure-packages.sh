#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when one is missing.
# Usage: ensure-packages.sh [--window]   (--window adds the X server and window manager)
set -euo pipefail

packages=(cmake ninja-build g++ googletest libbenchmark-dev clang libclang-rt-14-dev
          g++-mingw-w64-x86-64-posix wine wine64
          locales)  # localedef: the compiled Japanese locale of the code page 932 Wine tests
if [[ "${1:-}" == "--window" || "${1:-}" == "--all" ]]; then
  packages+=(xvfb openbox x11-utils imagemagick)
fi
# The installer (wixl; msiinfo to inspect it) and the help compiler (chmcmd),
# without the many packages they recommend.
plain_packages=(wixl msitools fp-utils-3.2.2)

missing() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}
mapfile -t missing_packages < <(missing "${packages[@]}")
mapfile -t missing_plain < <(missing "${plain_packages[@]}")
[[ ${#missing_packages[@]} -eq 0 && ${#missing_plain[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing_packages[*]} ${missing_plain[*]}"
SUDO=""
[[ $(id -u) -ne 0 ]] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
if [[ ${#missing_packages[@]} -gt 0 ]]; then
  $SUDO apt-get install -y -qq "${missing_packages[@]}" >/dev/null
fi
if [[ ${#missing_plain[@]} -gt 0 ]]; then
  $SUDO apt-get install -y -qq --no-install-recommends "${missing_plain[@]}" >/dev/null
fi
