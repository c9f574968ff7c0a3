// From search hits to rows of the error list, without a window.
#include <gtest/gtest.h>

#include "app/error_list.h"
#include "app/finding_classifier.h"
#include "tests/support/recording_view.h"

namespace {

using testsupport::Rows;

class FindingsTest : public ::testing::Test, protected testsupport::AppWorld {
 protected:
  FindingsTest() { drive.AddFile("HsTest/present.exe"); }
  app::FindingClassifier classifier{list, files};
};

// The path is extracted from the value's text; where the text was found
// chooses only the row's error type.
TEST_F(FindingsTest, HitBecomesARowOnlyWhenItsPathIsMissing) {
  classifier.cReg_SearchFound("HKEY_CURRENT_USER", "K\\v", "\"C:\\HsTest\\present.exe\" /q", 2);
  classifier.cReg_SearchFound("HKEY_CURRENT_USER", "K\\*", "*", 0);  // key-name hit: extracts to C:\ .
  classifier.cReg_SearchFound("HKEY_CURRENT_USER", "K\\C:\\gone\\a.exe", "0x00000001(1)", 1);
  classifier.cReg_SearchFound("HKEY_LOCAL_MACHINE", "K\\w", "C:\\HsTest\\gone.exe /p", 2);
  classifier.cReg_SearchFound("HKEY_USERS", "K\\C:\\x", "C:\\HsTest\\gone.exe", 1);
  classifier.cReg_SearchFound("HKEY_USERS", "K\\odd", "C:\\HsTest\\gone.exe", 9);
  EXPECT_EQ(Rows(list), "Missing or Invalid Path | HKEY_LOCAL_MACHINE | K\\w | C:\\HsTest\\gone.exe /p\n"
                        "Missing or Invalid Value Name | HKEY_USERS | K\\C:\\x | C:\\HsTest\\gone.exe\n"
                        " | HKEY_USERS | K\\odd | C:\\HsTest\\gone.exe\n");
  // Select All, then a row clicked three times, then Unselect All and a click
  // beside the rows; edits are refused.
  app::SelectAll(list);
  for (app::RowNumber row : {2, 2, 2}) app::ToggleRow(list, row);
  EXPECT_EQ(testsupport::Checks(list), "x-x");
  app::UnselectAll(list);
  for (app::RowNumber row : {0, 3, 4}) app::ToggleRow(list, row);
  EXPECT_EQ(testsupport::Checks(list), "--x");
  int cancel = 0;
  app::RefuseEdit(&cancel);
  EXPECT_EQ(cancel, 1);
}

// Drive C is a host folder whose names are looked up without case; other
// drives and the empty path name nothing.
TEST_F(FindingsTest, DriveCIsAHostFolderLookedUpWithoutCase) {
  for (const char* path : {"C:\\hstest\\PRESENT.EXE", "c:/HsTest", "HsTest\\present.exe"}) EXPECT_TRUE(files.PathExists(path));
  for (const char* path : {"D:\\HsTest", "", "C:\\HsTest\\present.exe.bak"}) EXPECT_FALSE(files.PathExists(path)) << path;
}

}  // namespace
