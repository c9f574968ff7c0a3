// One scan and one Delete of all its rows under code page 932, the same on
// the substitutes natively and on Wine's registry and file system in a
// Japanese locale. The key ends in 表 (95 5C), the value found is named ソ
// (83 5C), a present file lies in a folder with ポ (83 7C) in its name, and a
// value name holds C:\ only across a character boundary (イ is 83 43).
#pragma once

#include <string>
#include <vector>

#include "app/backup_reg.h"
#include "app/error_list.h"
#include "app/error_removal.h"
#include "app/finding_classifier.h"
#include "app/scan_parameters.h"
#include "engine/reg_search.h"
#include "engine/stop_scan.h"
#include "platform/substitute/substitute_code_page.h"
#include "tests/support/recording_view.h"
#include "tests/support/sample_tree.h"

namespace dbcs {

constexpr std::uint32_t HKCU = 0x80000001u;
const std::string kSo = "\x83\x5C";                              // ソ
const std::string kHyo = "\x95\x5C";                             // 表
const std::string kSoft = kSo + "\x83\x74\x83\x67";              // ソフト
const std::string kPocket = "\x83\x7C\x83\x50\x83\x62\x83\x67";  // ポケット
const std::string kICBoundary = "\x83\x43:\\x";                  // イ:\x
const std::string kPresent = "C:\\Program Files\\" + kPocket + "\\a.exe";
const std::string kGone = "C:\\" + kSoft + "\\gone.exe";

inline const platform::SubstituteCodePage& Cp932() {
  static const platform::SubstituteCodePage codePage(platform::AnsiCodePage::k932);
  return codePage;
}
inline std::string Utf8(const std::string& ansi) { return platform::EncodeUtf8(Cp932().Decode(ansi)); }

// The scanned key 表 below a base key, in UTF-8 as both registries take it:
// ソ and 表 name a missing and a present file, イ:\x holds a DWORD.
inline std::vector<testsupport::SampleEntry> ScannedKey() {
  return {testsupport::Sz(Utf8(kHyo), Utf8(kSo), Utf8(kGone)), testsupport::Sz(Utf8(kHyo), Utf8(kHyo), Utf8(kPresent)),
          testsupport::Typed(Utf8(kHyo), Utf8(kICBoundary), platform::reg_type::kDword, std::string("\1\0\0\0", 4))};
}

// Scans `key` of HKEY_CURRENT_USER as the scan does and deletes every
// row it lists: ソ is found by its data alone, listed, backed up under its
// real key with its own trail byte not doubled, and deleted; 表 names a
// present file.
inline void ExpectScanAndDeleteByCharacters(platform::Registry& registry, platform::FileSystem& files,
                                            const platform::CodePage& codePage, const std::string& key) {
  testsupport::AppWorld w;  // the window, the list, the boxes, the clock: substitutes
  app::FindingClassifier classifier(w.list, files, codePage);
  engine::cRegSearch search(registry, w.pump, codePage);
  app::ConfigureScan(search);
  search.RootKey(HKCU);
  search.subkey(key);
  std::vector<std::string> hits;  // lFound and sKey
  search.SearchFound = [&](const std::string& root, const std::string& sKey, const std::string& value,
                           std::int32_t lFound) {
    hits.push_back(std::to_string(lFound) + " " + sKey);
    classifier.cReg_SearchFound(root, sKey, value, lFound);
  };
  StopScan = false;
  search.DoSearch();
  EXPECT_EQ(hits, (std::vector<std::string>{"2 " + key + "\\" + kSo, "2 " + key + "\\" + kHyo}));
  EXPECT_EQ(testsupport::Rows(w.list), "Missing or Invalid Path | HKEY_CURRENT_USER | " + key + "\\" + kSo + " | " +
                                           kGone + "\n");

  app::SelectAll(w.list);
  w.boxes.answers = {platform::mb::kAnswerOk, platform::mb::kAnswerOk};
  app::ErrorRemoval(w.view, w.list, {registry, w.pump, w.boxes, files, w.clock, w.restorePoint, codePage})
      .removeselcmd_Click();
  std::string backup;
  EXPECT_TRUE(files.ReadWholeFile(app::BackupFolderPath(files) + "Backup_04-12-2026_19-09-45.reg", &backup));
  EXPECT_EQ(backup, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + key + "]\r\n\"" + kSo + "\"=\"C:\\\\" + kSoft +
                        "\\\\gone.exe\"\r\n");
  engine::RegistryAccess access(registry, codePage);
  engine::OpenedKey opened(access, HKCU, key);
  engine::EnumeratedValue value;
  std::vector<std::string> valuesLeft;
  for (std::uint32_t i = 0; opened.IsOpen() && access.EnumValue(opened.Handle(), i, &value) == 0; ++i) {
    valuesLeft.push_back(value.name);
  }
  EXPECT_EQ(valuesLeft, (std::vector<std::string>{kICBoundary, kHyo}));
}

}  // namespace dbcs
