// Values whose paths exist and do not exist, with the rows the error list must
// show for them. The files live in a folder of drive C that the test makes:
// `files` (such as C:\HsTest) holding present.exe; nothing under files\gone.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/error_list.h"
#include "tests/support/sample_tree.h"

namespace testsupport {

inline std::vector<SampleEntry> FindingTree(const std::string& files) {
  const std::string gone = files + "\\gone";
  const std::string present = files + "\\present.exe";
  const std::string dword1("\x01\0\0\0", 4);
  return {
      Sz("Run", "Present", "\"" + present + "\" -n"), Sz("Run", "Missing", "\"" + gone + "\\app.exe\" -n"),
      Sz("Run", "WithArgs", present + " /background"), Sz("Files", gone + "\\both.exe", gone + "\\both.exe"),
      Typed("Files", "Expand", platform::reg_type::kExpandSz, gone + "\\x.exe" + std::string(1, '\0')),
      Typed("Files", gone + "\\expand-name.exe", platform::reg_type::kExpandSz, gone + "\\x.exe" + std::string(1, '\0')),
      Typed("Files", gone + "\\dword.exe", platform::reg_type::kDword, dword1), Sz("Files", "Icon", present + ",4"),
      Sz("Files", "Icon2", files + "\\gone.dll,4"), Sz("Files", "Lower", "c:" + gone.substr(2) + "\\lower.exe"),
      Sz("Files", "CaseOnly", "C:\\" + std::string(files.begin() + 3, files.end()) + "\\PRESENT.EXE"),
      Sz("Firewall", gone + "\\fw.exe", gone + "\\fw.exe:*:Enabled:FW"), Sz("Firewall", present, present + ":*:Enabled:P"),
      Sz("Shell", "", gone + "\\open.exe %1"), Sz("Shell", "Folder", files), Sz("Other", "D", "\"D:\\Games\\g.exe\""),
      Sz("Other", "Rundll", "rundll32.exe " + gone + "\\x.dll,Start"),
  };
}

// The rows, in walk order, for FindingTree under `base` of HKEY_CURRENT_USER.
inline std::vector<app::ScanFinding> ExpectedFindings(const std::string& base, const std::string& files) {
  const std::string gone = files + "\\gone";
  const std::string root = "HKEY_CURRENT_USER";
  const std::string name = "Missing or Invalid Value Name";
  const std::string path = "Missing or Invalid Path";
  return {
      {name, root, base + "\\Files\\" + gone + "\\both.exe", gone + "\\both.exe"},
      {path, root, base + "\\Files\\" + gone + "\\both.exe", gone + "\\both.exe"},
      {path, root, base + "\\Files\\Icon2", files + "\\gone.dll,4"},
      {name, root, base + "\\Firewall\\" + gone + "\\fw.exe", gone + "\\fw.exe:*:Enabled:FW"},
      {path, root, base + "\\Firewall\\" + gone + "\\fw.exe", gone + "\\fw.exe:*:Enabled:FW"},
      {path, root, base + "\\Other\\Rundll", "rundll32.exe " + gone + "\\x.dll,Start"},
      {path, root, base + "\\Run\\Missing", "\"" + gone + "\\app.exe\" -n"},
      {path, root, base + "\\Shell\\", gone + "\\open.exe %1"},
  };
}

}  // namespace testsupport

namespace app {

inline bool operator==(const ScanFinding& a, const app::ScanFinding& b) {
  return a.errorType == b.errorType && a.rootPath == b.rootPath && a.subPath == b.subPath &&
         a.invalidValue == b.invalidValue;
}

inline std::ostream& operator<<(std::ostream& out, const ScanFinding& f) {
  return out << "{" << f.errorType << " | " << f.rootPath << " | " << f.subPath << " | " << f.invalidValue << "}";
}

}  // namespace app
