// The real executable, started twice as a program: one instance at a time,
// and Exit ending the process.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/message_box_watcher.h"
#include "tests/support/program.h"

namespace {

using testsupport::Program;

TEST(Instance, SecondStartShowsTheMessageAndEndsWhileTheFirstRunsOn) {
  const std::string command = "\"" + testsupport::PrefixPath(HIVESWEEP_EXE) + "\"";
  Program first(command);
  HWND window = first.WaitForWindow("Zentrova", 30000);
  ASSERT_NE(window, nullptr) << command;

  testsupport::MessageBoxWatcher watcher("Hivesweep", /*anyProcess=*/true);
  Program second(command);
  bool secondShowedItsWindow = false;
  for (int waited = 0; second.Running() && waited < 30000; waited += 20) {
    secondShowedItsWindow |= Program::WindowOf(second.Id(), "Zentrova") != nullptr;
    Sleep(20);
  }
  ASSERT_TRUE(second.WaitForExit(0)) << "the second instance ends after the message";
  EXPECT_FALSE(secondShowedItsWindow);
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Already running an instance.");
  EXPECT_THAT(seen[0].buttons, ::testing::ElementsAre(IDOK));
  EXPECT_TRUE(seen[0].hasIcon);
  EXPECT_TRUE(first.Running());

  // Exit, the fourth command button, ends the first instance at once.
  HWND exitButton = nullptr;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM found) -> BOOL {
        if (GetDlgCtrlID(child) == 203) *reinterpret_cast<HWND*>(found) = child;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&exitButton));
  ASSERT_NE(exitButton, nullptr);
  PostMessageA(exitButton, BM_CLICK, 0, 0);
  ASSERT_TRUE(first.WaitForExit(20000));
  EXPECT_EQ(first.ExitCode(), 0u);
}

}  // namespace
