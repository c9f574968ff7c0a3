// One scan and one Delete of all its rows under code page 932, the same on
// the substitutes natively and on Wine's registry and file system in a
// Japanese locale. The key ends in 表 (95 5C), the value found is named ソ
// (83 5C), a present file lies in a folder with ポ (83 7C) in its name, and a
// value name holds C:\ only across a character boundary (イ is 83 43).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/backup_reg.h"
#include "app/error_list.h"
#include "app/error_removal.h"
#include "app/finding_classifier.h"
#include "engine/reg_search.h"
#include "engine/stop_scan.h"
#include "tests/support/recording_view.h"

namespace dbcs {

constexpr std::uint32_t HKCU = 0x80000001u;
const std::string kSo = "\x83\x5C";                              // ソ
const std::string kHyo = "\x95\x5C";                             // 表
const std::string kSoft = kSo + "\x83\x74\x83\x67";              // ソフト
const std::string kPocket = "\x83\x7C\x83\x50\x83\x62\x83\x67";  // ポケット
const std::string kICBoundary = "\x83\x43:\\x";                  // イ:\x
const std::string kPresent = "C:\\Program Files\\" + kPocket + "\\a.exe";

// The scanned key's values: name and REG_SZ data, or REG_DWORD 1 where the data is empty.
const std::pair<std::string, std::string> kValues[] = {
    {kSo, "C:\\" + kSoft + "\\gone.exe"}, {kHyo, kPresent}, {kICBoundary, ""}};

struct Outcome {
  std::vector<std::string> hits;  // lFound and sKey
  std::string rows;
  std::string backup;
  std::vector<std::string> valuesLeft;
};

// Scans `key` of HKEY_CURRENT_USER with the scan's search, deletes every row
// it lists, and reads back the backup and the values left.
inline Outcome ScanAndDeleteAll(platform::Registry& registry, platform::FileSystem& files,
                                const platform::CodePage& codePage, const std::string& key,
                                const std::function<std::string(const std::string&)>& readFile) {
  Outcome out;
  testsupport::AppWorld w;  // the window, the list, the boxes, the clock: substitutes
  app::FindingClassifier classifier(w.list, files, codePage);
  engine::cRegSearch search(registry, w.pump, codePage);
  search.RootKey(HKCU);
  search.subkey(key);
  search.SearchFlags(engine::SearchValueNames | engine::SearchValueData);
  search.SearchString("C:\\");
  search.SearchFound = [&](const std::string& root, const std::string& sKey, const std::string& value,
                           std::int32_t lFound) {
    out.hits.push_back(std::to_string(lFound) + " " + sKey);
    classifier.cReg_SearchFound(root, sKey, value, lFound);
  };
  StopScan = false;
  search.DoSearch();
  out.rows = testsupport::Rows(w.list);

  app::SelectAll(w.list);
  w.boxes.answers = {platform::mb::kAnswerOk, platform::mb::kAnswerOk};
  app::ErrorRemoval(w.view, w.list, {registry, w.pump, w.boxes, files, w.clock, w.restorePoint, codePage})
      .removeselcmd_Click();
  out.backup = readFile(app::BackupFolderPath(files) + "Backup_04-12-2026_19-09-45.reg");

  engine::RegistryAccess access(registry, codePage);
  engine::OpenedKey opened(access, HKCU, key);
  engine::EnumeratedValue value;
  for (std::uint32_t i = 0; opened.IsOpen() && access.EnumValue(opened.Handle(), i, &value) == 0; ++i) {
    out.valuesLeft.push_back(value.name);
  }
  return out;
}

// ソ is found by its data alone, listed, backed up under its real key with
// its own trail byte not doubled, and deleted; 表 names a present file.
inline void ExpectFoundBackedUpAndDeleted(const Outcome& out, const std::string& key) {
  EXPECT_EQ(out.hits, (std::vector<std::string>{"2 " + key + "\\" + kSo, "2 " + key + "\\" + kHyo}));
  EXPECT_EQ(out.rows, "Missing or Invalid Path | HKEY_CURRENT_USER | " + key + "\\" + kSo + " | C:\\" + kSoft +
                          "\\gone.exe\n");
  EXPECT_EQ(out.backup, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + key + "]\r\n\"" + kSo + "\"=\"C:\\\\" + kSoft +
                            "\\\\gone.exe\"\r\n");
  EXPECT_EQ(out.valuesLeft, (std::vector<std::string>{kICBoundary, kHyo}));
}

}  // namespace dbcs
