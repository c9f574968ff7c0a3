// Delete over the substitute registry, a host folder as drive C, a fixed
// clock and a recording restore-point facility.
#include "app/error_removal.h"

#include <gtest/gtest.h>

#include "app/error_list.h"
#include "tests/support/recording_view.h"

namespace {

constexpr std::uint32_t HKCU = 0x80000001u;
using app::CommandButton;
using testsupport::Rows;
namespace mb = platform::mb;
const std::string kBackup = "Users/User/Documents/Reg Backup/Backup_04-12-2026_19-09-45.reg";
const std::string kRow = "Missing or Invalid Path | HKEY_CURRENT_USER | Software\\Demo\\";

// Five rows for the values v1 to v5 of Software\Demo.
class ErrorRemovalTest : public ::testing::Test, protected testsupport::AppWorld {
 protected:
  ErrorRemovalTest() {
    for (const std::string name : {"v1", "v2", "v3", "v4", "v5"}) {
      registry.SetString(HKCU, "Software\\Demo", name, "C:\\" + name);
      app::AddFinding(list, {"Missing or Invalid Path", "HKEY_CURRENT_USER", "Software\\Demo\\" + name, "C:\\" + name});
    }
    view.currentKey = "HKEY_CURRENT_USER\\Software";  // left over from the scan
  }
  app::ErrorRemoval removal{view, list, {registry, pump, boxes, files, clock, restorePoint}};
};

// Any answer to the question but OK changes nothing. Restore point, font and
// backup come before the first row is looked at; a row counts as checked when
// the walk reaches it, and a second click while the walk processes messages
// is refused.
TEST_F(ErrorRemovalTest, DeletesExactlyTheCheckedRowsAfterBackupAndRestorePoint) {
  for (app::RowNumber row : {2, 3, 4}) list.SetChecked(row, true);
  boxes.answers = {mb::kAnswerCancel, 0, mb::kAnswerOk, mb::kAnswerOk};  // 0: the box could not be shown
  removal.removeselcmd_Click();
  removal.removeselcmd_Click();
  EXPECT_TRUE(restorePoint.Bindings().empty());
  EXPECT_EQ(drive.Files(), std::vector<std::string>{"Users/User/Documents/.keep"});
  std::string beforeTheFirstRow;
  pump.At(1, [&] {
    beforeTheFirstRow = view.keyFont + std::to_string(restorePoint.Calls().size()) + drive.Read(kBackup);
    list.SetChecked(4, false);
    removal.removeselcmd_Click();
  });
  removal.removeselcmd_Click();

  EXPECT_EQ(Rows(list), kRow + "v1 | C:\\v1\n" + kRow + "v4 | C:\\v4\n" + kRow + "v5 | C:\\v5\n");
  for (const char* gone : {"v2", "v3"}) EXPECT_FALSE(registry.HasValue(HKCU, "Software\\Demo", gone)) << gone;
  for (const char* kept : {"v1", "v4", "v5"}) EXPECT_TRUE(registry.HasValue(HKCU, "Software\\Demo", kept)) << kept;
  ASSERT_EQ(boxes.asked.size(), 4u);
  EXPECT_EQ(boxes.asked[2].text, "Are you sure you want to delete selected items?");
  EXPECT_EQ(boxes.asked[2].flags, mb::kOkCancel | mb::kDefaultButton1);
  EXPECT_EQ(boxes.asked[3].text + " | " + boxes.asked[3].title, "2 Items deleted successfully | Hivesweep");
  EXPECT_EQ(boxes.asked[3].flags, mb::kOk);
  EXPECT_EQ(beforeTheFirstRow, "12 bold1REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Demo]\r\n\"v2\"=\"C:\\\\v2\"\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Demo]\r\n\"v3\"=\"C:\\\\v3\"\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Demo]\r\n\"v4\"=\"C:\\\\v4\"\r\n");
  EXPECT_EQ(view.keyFont + " \"" + view.currentKey + "\"", "8 \"\"");
  EXPECT_EQ(view.rested, std::vector<CommandButton>(3, CommandButton::Delete));
  EXPECT_EQ(pump.Calls(), 11u);  // before and after every row: 5 rows looked at, 2 removed

  boxes.answers = {mb::kAnswerOk};  // the next click is one of its own, with no checked row
  removal.removeselcmd_Click();
  EXPECT_EQ(restorePoint.Calls().size(), 2u);
  EXPECT_EQ(drive.Read(kBackup), "REGEDIT4\r\n\r\n");
  EXPECT_EQ(boxes.asked.size(), 5u) << "no closing message without removed rows";
}

}  // namespace
