// The walk over Wine's real registry, through the Win32 backends.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/reg_search.h"
#include "engine/stop_scan.h"
#include "platform/substitute/memory_registry.h"
#include "platform/substitute/scripted_message_pump.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_registry.h"
#include "tests/support/memory_tree.h"
#include "tests/support/search_recorder.h"
#include "tests/wine/scratch_key.h"

namespace {

constexpr std::uint32_t HKCU = 0x80000001u;

struct WalkParameters {
  std::uint32_t root;
  std::string start;
  std::int32_t flags;
  std::string text;
};

std::vector<std::string> Walk(platform::Registry& registry, platform::MessagePump& pump, const WalkParameters& p) {
  engine::cRegSearch search(registry, pump);
  testsupport::SearchRecorder recorder;
  recorder.Attach(search);
  search.RootKey(p.root);
  search.subkey(p.start);
  search.SearchFlags(p.flags);
  search.SearchString(p.text);
  search.DoSearch();
  return recorder.events;
}

class RealRegistryWalk : public ::testing::Test {
 protected:
  void SetUp() override { StopScan = false; }
  platform::Win32Registry real;
  platform::Win32MessagePump pump;
};

// The substitute is only worth its tests if it answers as the platform does:
// the same tree gives the same events, in the same order, on both.
TEST_F(RealRegistryWalk, SameEventsAsTheSubstituteForTheSameTree) {
  testsupport::ScratchKey scratch;
  scratch.Build(testsupport::SampleTree());
  platform::MemoryRegistry substitute;
  testsupport::BuildTree(substitute, HKCU, scratch.Path(), testsupport::SampleTree());
  platform::ScriptedMessagePump scripted;

  for (const WalkParameters& p : {WalkParameters{HKCU, scratch.Path(), 3, "C:\\"},
                                  WalkParameters{HKCU, scratch.Path(), 3, ""},
                                  WalkParameters{HKCU, scratch.Path(), 7, "c:\\alpha"},
                                  WalkParameters{HKCU, scratch.Path(), 0, "a"}}) {
    const auto onWine = Walk(real, pump, p);
    const auto onSubstitute = Walk(substitute, scripted, p);
    EXPECT_EQ(onWine, onSubstitute) << "flags " << p.flags << ", text \"" << p.text << "\"";
    EXPECT_GT(onWine.size(), 10u);
  }
}

TEST_F(RealRegistryWalk, OversizedDataAndLongNamesEndTheValuesOfTheirKeyOnly) {
  testsupport::ScratchKey scratch;
  scratch.Build({testsupport::Typed("Big", "a", REG_BINARY, std::string(5000, 'C')),
                 testsupport::Sz("Big", "b", "C:\\after.exe"), testsupport::Sz("Big\\Sub", "s", "C:\\sub.exe"),
                 testsupport::Sz("Long", std::string(259, 'A'), "C:\\259.exe"),
                 testsupport::Sz("Long", std::string(259, 'A') + "B", "C:\\260.exe"),
                 testsupport::Sz("Long", "Z", "C:\\z.exe")});
  const auto events = Walk(real, pump, {HKCU, scratch.Path(), 3, "C:\\"});
  const std::string root = "HKEY_CURRENT_USER|" + scratch.Path();
  EXPECT_THAT(events, ::testing::ElementsAre("key HKEY_CURRENT_USER\\" + scratch.Path() + "\\Big",
                                             "key HKEY_CURRENT_USER\\" + scratch.Path() + "\\Big\\Sub",
                                             "found 2 " + root + "\\Big\\Sub\\s|C:\\sub.exe",
                                             "key HKEY_CURRENT_USER\\" + scratch.Path() + "\\Long",
                                             "found 2 " + root + "\\Long\\" + std::string(259, 'A') + "|C:\\259.exe",
                                             "finished 0"));
}

// Wine holds a key whose enumeration fails at every index; a walk that waited
// for "no more items" would never end there.
TEST_F(RealRegistryWalk, WalkOfTheWholePrefixRegistryEnds) {
  const auto events = Walk(real, pump, {0, "", 3, "C:\\"});
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(), "finished 0");
  std::size_t keys = 0;
  std::size_t finished = 0;
  for (const auto& e : events) {
    keys += e.rfind("key ", 0) == 0;
    finished += e.rfind("finished", 0) == 0;
  }
  EXPECT_GT(keys, 5000u);
  EXPECT_EQ(finished, 1u);
  EXPECT_THAT(events, ::testing::Contains(::testing::StartsWith("key HKEY_LOCAL_MACHINE\\")));
  EXPECT_THAT(events, ::testing::Contains(::testing::StartsWith("key HKEY_USERS\\")));
}

// A message posted before the walk is dispatched at the walk's first message
// processing; its handler sets StopScan and the walk winds down at once.
LRESULT CALLBACK StopOnAppMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) {
    StopScan = true;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(RealRegistryWalk, MessagesAreDispatchedInsideTheWalk) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = StopOnAppMessage;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "HivesweepWalkStopper";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_APP, 0, 0);

  const auto events = Walk(real, pump, {0, "", 3, "C:\\"});
  EXPECT_TRUE(StopScan);
  // One sub key per level and root at most: the first key of each root.
  std::size_t keys = 0;
  for (const auto& e : events) keys += e.rfind("key ", 0) == 0;
  EXPECT_LE(keys, 7u);
  EXPECT_EQ(events.back(), "finished 0");
  DestroyWindow(window);
}

}  // namespace
