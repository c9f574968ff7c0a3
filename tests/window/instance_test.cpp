// The real executable, started twice as a program: one instance at a time,
// and Exit ending the process.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/message_box_watcher.h"
#include "tests/support/program.h"

namespace {

using testsupport::Program;

TEST(Instance, SecondStartShowsTheMessageAndEndsWhileTheFirstRunsOn) {
  const std::string command = "\"" + testsupport::PrefixPath(HIVESWEEP_EXE) + "\"";
  Program first(command);
  HWND window = first.WaitForWindow("Zentrova", 30000);
  ASSERT_NE(window, nullptr) << command;

  testsupport::MessageBoxWatcher watcher;  // also of the started program
  Program second(command);
  // The second instance ends after the message, without a window of its own.
  EXPECT_EQ(second.WaitForWindow("Zentrova", 30000), nullptr);
  ASSERT_TRUE(second.WaitForExit(0));
  const testsupport::SeenBox message{"Already running an instance.", {IDOK}, IDOK, true};
  EXPECT_EQ(watcher.Seen(), std::vector<testsupport::SeenBox>{message});
  EXPECT_TRUE(first.Running());

  // Exit, the fourth command button on the bottom strip (at 3000, 7500 twips),
  // ends the first instance at once.
  HWND exitButton = GetDlgItem(ChildWindowFromPointEx(window, {200, 500}, CWP_SKIPINVISIBLE), 203);
  ASSERT_NE(exitButton, nullptr);
  PostMessageA(exitButton, BM_CLICK, 0, 0);
  ASSERT_TRUE(first.WaitForExit(20000));
  EXPECT_EQ(first.ExitCode(), 0u);
}

}  // namespace
