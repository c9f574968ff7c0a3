#!/usr/bin/env bash
# The installer under Wine, in a fresh prefix of its own: msiexec installs the
# program, its help, the Start-menu shortcut and the installed-programs entry;
# the installed program starts and its Help link opens the installed help; a
# newer version replaces the older one; msiexec /x removes everything; and the
# program's own scan then finds nothing of Hivesweep left behind.
# Usage: install_test.sh WORK_DIR MSI NEWER_MSI PROBE_EXE VERSION NEWER_VERSION EXE HELP ICON
set -uo pipefail
work=$1 msi=$2 newer_msi=$3 probe=$4 version=$5 newer_version=$6 exe=$7 help=$8 icon=$9
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)

rm -rf "$work"
mkdir -p "$work"
sed -e "s|@WINE_PREFIX@|$work/prefix|" -e "s|@WINE_HOME@|$work/home|" "$scripts/wine-env.sh.in" >"$work/wine-env.sh"
"$scripts/prepare-prefix.sh" --test "$work/wine-env.sh" || { echo "FAIL: no fresh prefix"; exit 1; }
# shellcheck source=/dev/null
. "$work/wine-env.sh"
# One wineserver for the whole test, detached from ctest's output.
"$WINESERVER" -p </dev/null >/dev/null 2>&1
trap '"$WINESERVER" -k </dev/null >/dev/null 2>&1; "$WINESERVER" -w </dev/null >/dev/null 2>&1' EXIT

drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/Hivesweep"
out="$work/out.txt"
windows_path() { echo "Z:${1//\//\\}"; }
unix_path() { local p=${1#C:\\}; echo "$drive_c/${p//\\//}"; }
# Runs a Windows program; its output goes to $out (never to a pipe that
# Wine's background processes would hold open).
w() { "$WINELOADER" "$@" </dev/null >"$out" 2>&1; }

failures=0
check() {
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
same() { [[ "$1" == "$2" ]] || { echo "  got '$1', expected '$2'"; false; }; }
none() { [[ -z "$1" ]] || { echo "  left: $1"; false; }; }

# One line per sub key of KEY whose NAME_VALUE is Hivesweep: the sub key's
# name, then the FIELDs, separated by |.
hivesweep_keys() {
  local key=$1 name=$2
  shift 2
  w reg query "$key" /s
  tr -d '\r' <"$out" | awk -F'    ' -v name="$name" -v fields="$*" '
    function flush(  line, n, f, i) {
      if (v[name] == "Hivesweep") {
        line = sub_key; n = split(fields, f, " ")
        for (i = 1; i <= n; i++) line = line "|" v[f[i]]
        print line
      }
      delete v
    }
    /^HKEY/ { flush(); sub_key = $0; sub(/.*\\/, "", sub_key); next }
    NF >= 4 { v[$2] = $4 }
    END { flush() }'
}
uninstall_entries() { hivesweep_keys 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' DisplayName DisplayVersion Publisher; }
product_icons() { hivesweep_keys 'HKLM\Software\Classes\Installer\Products' ProductName ProductIcon; }
menu_folder() { find "$drive_c" -path '*/Start Menu/Programs/Hivesweep' 2>/dev/null; }

msiexec() {
  w msiexec "$1" "$(windows_path "$2")" /qn
  local code=$?
  [[ $code -eq 0 ]] || { echo "  msiexec $1 $(basename "$2") exited with $code"; false; }
}

expect_installed() {
  local shipped_version=$1 entries icon_line icon_file
  check "program file installed" cmp -s "$exe" "$installed/hivesweep.exe"
  check "help file installed" cmp -s "$help" "$installed/help/ZTV.chm"
  local link
  link="$(menu_folder)/Hivesweep.lnk"
  check "Start-menu shortcut to the installed program" grep -a -q -F 'C:\Program Files\Hivesweep\hivesweep.exe' "$link"
  entries=$(uninstall_entries)
  check "one installed-programs entry: version $shipped_version, publisher Zentrova" \
    same "$(cut -d'|' -f2- <<<"$entries")" "$shipped_version|Zentrova"
  icon_line=$(product_icons)
  icon_file=$(unix_path "${icon_line#*|}")
  check "installed-programs icon is the program's icon" cmp -s "$icon" "$icon_file"
}

expect_removed() {
  check "program folder removed" none "$(find "$installed" -maxdepth 0 2>/dev/null)"
  check "Start-menu folder removed" none "$(menu_folder)"
  check "installed-programs entry removed" none "$(uninstall_entries)"
  check "product registration and icon removed" none "$(product_icons)$(find "$drive_c/windows/Installer" -iname 'hivesweep.ico')"
  check "shortcut's registry key removed" none "$(w reg query 'HKLM\Software\Zentrova' && cat "$out")"
}

echo "== install $version"
check "msiexec /i installs" msiexec /i "$msi"
expect_installed "$version"
check "installed program starts and its Help link opens the installed help" \
  w "$(windows_path "$probe")" help
cat "$out"

echo "== uninstall"
check "msiexec /x uninstalls" msiexec /x "$msi"
expect_removed

echo "== upgrade $version -> $newer_version"
check "msiexec /i installs again" msiexec /i "$msi"
check "msiexec /i of the newer version upgrades" msiexec /i "$newer_msi"
expect_installed "$newer_version"
check "msiexec /x uninstalls the newer version" msiexec /x "$newer_msi"
expect_removed

echo "== the program's own scan after uninstalling"
# A stale entry of the test's own, so that the scan is seen to find one.
canary='C:\Program Files\Hivesweep\hivesweep.exe'
w reg add 'HKCU\Software\ZentrovaInstallCheck' /v Canary /d "$canary" /f
w "$(windows_path "$probe")" scan
tr -d '\r' <"$out" >"$work/scan.txt"
cat "$work/scan.txt"
check "the scan lists the test's own stale entry" grep -q -F "ZentrovaInstallCheck\\Canary = $canary" "$work/scan.txt"
check "the scan lists nothing else of Hivesweep" \
  none "$(grep -v -e '^findings: ' -e 'ZentrovaInstallCheck\\Canary = ' "$work/scan.txt")"

echo "failures: $failures"
[[ $failures -eq 0 ]]
