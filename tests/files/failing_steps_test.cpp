// A step that fails is skipped and the next one runs: a backup whose disk
// fills up keeps the lines written before, and a hit whose path cannot be
// extracted is tested with the empty path and listed.
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/backup_reg.h"
#include "app/error_list.h"
#include "app/finding_classifier.h"
#include "tests/support/recording_view.h"

namespace {

TEST(BackupReg, AFailedLineLeavesTheLinesWrittenBeforeIt) {
  const char* const lines[] = {"REGEDIT4", "", "[HKEY_CURRENT_USER\\K]", "\"a\"=\"C:\\\\x\"", "[HKEY_CURRENT_USER\\K]",
                               "\"b\"=\"y\""};
  for (int failFrom : {1, 3, 4, 6, 7}) {
    testsupport::AppWorld world;
    app::AddFinding(world.list, {"t", "HKEY_CURRENT_USER", "K\\a", "C:\\x"});
    app::AddFinding(world.list, {"t", "HKEY_CURRENT_USER", "K\\b", "y"});
    app::SelectAll(world.list);
    world.files.FailWritesFromLine(failFrom);
    app::BackupReg(world.list, world.files, world.clock);
    std::string expected;
    for (int i = 1; i < failFrom; ++i) expected += std::string(lines[i - 1]) + "\r\n";
    EXPECT_EQ(world.drive.Read("Users/User/Documents/Reg Backup/Backup_04-12-2026_19-09-45.reg"), expected)
        << "lines fail from " << failFrom;
  }
}

class FailingExtraction final : public app::FindingClassifier {
 public:
  using FindingClassifier::FindingClassifier;

 protected:
  std::string ExtractPath(const std::string&) const override { throw std::runtime_error("no path"); }
};

TEST(FindingClassifier, AHitWhosePathCannotBeExtractedIsListed) {
  testsupport::AppWorld world;
  world.drive.AddFile("present.exe");
  FailingExtraction classifier(world.list, world.files);
  // The text names a present file: only the empty path, which does not
  // exist, makes the hit a row.
#ifndef _WIN32  // on Windows the skipped step goes to the debugger's output
  setenv("HIVESWEEP_TRACE", "1", 1);
  ::testing::internal::CaptureStderr();
#endif
  classifier.cReg_SearchFound("HKEY_CURRENT_USER", "K\\v", "C:\\present.exe", 2);
  EXPECT_EQ(testsupport::Rows(world.list), "Missing or Invalid Path | HKEY_CURRENT_USER | K\\v | C:\\present.exe\n");
#ifndef _WIN32
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Hivesweep: a step ignored: no path\n");
  unsetenv("HIVESWEEP_TRACE");
#endif
}

}  // namespace
