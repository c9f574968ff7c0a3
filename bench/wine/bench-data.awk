# Writes the benchmark's registry content as a REGEDIT4 file: 50,000 keys below
# HKEY_LOCAL_MACHINE\Software\Hivesweep Bench (250 groups of 199 entries each)
# with 4 values in every key, 200,000 values in all. One value in four names a
# path on drive C (in the shapes real entries take: a bare path, a quoted
# command line, an icon index, a rundll32 line, a verb with %1); half of those
# paths exist in a fresh prefix and half are gone, so 25,000 values are
# findings. The others are plain strings, DWORDs, binary data and versions.
#
# Usage: awk -f bench-data.awk > bench-data.reg
# A string as REGEDIT4 writes it: backslashes and double quotes escaped.
function esc(text,    out, c, i) {
  out = ""
  for (i = 1; i <= length(text); i++) {
    c = substr(text, i, 1)
    if (c == "\\" || c == "\"") out = out "\\"
    out = out c
  }
  return out
}

function drive_c_value(j,    path, form) {
  if (j % 2 == 0) {
    path = present[int(j / 10) % 5]
  } else {
    path = sprintf("C:\\Program Files\\Removed App %04d\\app.exe", int(j / 2) % 1000)
  }
  form = int(j / 2) % 5
  if (form == 0) return path
  if (form == 1) return "\"" path "\" /background"
  if (form == 2) return path ",0"
  if (form == 3) return "rundll32.exe " path ",Start"
  return path " %1"
}

function key(path,    hex, b) {
  print "[" path "]"
  printf "\"Path\"=\"%s\"\n", esc(drive_c_value(n))
  printf "\"DisplayName\"=\"Benchmark entry %d\"\n", n
  printf "\"Flags\"=dword:%08x\n", (n * 2654435761) % 4294967296
  if (n % 2 == 0) {
    hex = ""
    for (b = 0; b < 16; b++) hex = hex sprintf("%s%02x", b ? "," : "", (n + b * 37) % 256)
    printf "\"Data\"=hex:%s\n", hex
  } else {
    printf "\"Version\"=\"1.%d.%d\"\n", n % 100, n % 7
  }
  print ""
  n++
}

BEGIN {
  present[0] = "C:\\windows\\notepad.exe"
  present[1] = "C:\\windows\\regedit.exe"
  present[2] = "C:\\windows\\system32\\shell32.dll"
  present[3] = "C:\\windows\\system32\\kernel32.dll"
  present[4] = "C:\\windows\\system32\\drivers"
  base = "HKEY_LOCAL_MACHINE\\Software\\Hivesweep Bench"
  n = 0
  print "REGEDIT4"
  print ""
  for (g = 1; g <= 250; g++) {
    group = sprintf("%s\\Group %03d", base, g)
    key(group)
    for (e = 1; e <= 199; e++) key(sprintf("%s\\Entry %03d", group, e))
  }
}
