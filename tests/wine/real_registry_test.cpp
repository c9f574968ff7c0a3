// The engine over Wine's real registry, through the Win32 backends: the same
// walk as over the substitute, a walk of the whole prefix registry, and a
// value deletion the platform would let reach the wrong value.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/reg_search.h"
#include "engine/registry_access.h"
#include "engine/stop_scan.h"
#include "platform/substitute/memory_registry.h"
#include "platform/substitute/scripted_message_pump.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_registry.h"
#include "tests/support/memory_tree.h"
#include "tests/support/real_registry.h"
#include "tests/support/search_recorder.h"

namespace {

constexpr std::uint32_t HKCU = 0x80000001u;

std::vector<std::string> Walk(platform::Registry& registry, platform::MessagePump& pump, std::uint32_t root,
                              const std::string& start, std::int32_t flags, const std::string& text) {
  StopScan = false;
  engine::cRegSearch search(registry, pump);
  testsupport::SearchRecorder recorder;
  recorder.Attach(search);
  search.RootKey(root);
  search.subkey(start);
  search.SearchFlags(flags);
  search.SearchString(text);
  search.DoSearch();
  return recorder.events;
}

class RealRegistry : public ::testing::Test {
 protected:
  platform::Win32Registry real;
  platform::Win32MessagePump pump;
  testsupport::ScratchKey scratch;
};

// The substitute is only worth its tests if it answers as the platform does:
// the same tree (with names and data at the platform's limits) gives the same
// events, in the same order, on both.
TEST_F(RealRegistry, SameEventsAsTheSubstituteForTheSameTree) {
  using testsupport::Sz, testsupport::Typed;
  std::vector<testsupport::SampleEntry> tree = testsupport::SampleTree();
  const std::string name259(259, 'A');
  tree.insert(tree.end(), {Sz("Limits", name259, "C:\\259.exe"), Sz("Limits", name259 + "B", "C:\\260.exe"),
                           Sz("Limits", "Z", "C:\\after-260.exe"),
                           Typed("Limits\\Data", "a", REG_BINARY, std::string(4096, 'C')),
                           Typed("Limits\\Data", "b", REG_BINARY, std::string(4097, 'C')),
                           Sz("Limits\\Data", "c", "C:\\after-4097.exe")});
  scratch.Build(tree);
  platform::MemoryRegistry substitute;
  testsupport::BuildTree(substitute, HKCU, scratch.Path(), tree);
  platform::ScriptedMessagePump scripted;

  for (const auto& [flags, text] : std::vector<std::pair<std::int32_t, std::string>>{
           {3, "C:\\"}, {3, ""}, {7, "c:\\alpha"}, {0, "a"}}) {
    const auto onWine = Walk(real, pump, HKCU, scratch.Path(), flags, text);
    EXPECT_EQ(onWine, Walk(substitute, scripted, HKCU, scratch.Path(), flags, text))
        << "flags " << flags << ", text \"" << text << "\"";
    EXPECT_GT(onWine.size(), 10u);
  }
}

// Wine holds a key whose enumeration fails at every index; a walk that waited
// for "no more items" would never end there.
TEST_F(RealRegistry, WalkOfTheWholePrefixRegistryEnds) {
  const auto events = Walk(real, pump, 0, "", 3, "C:\\");
  ASSERT_FALSE(events.empty());
  using ::testing::Contains, ::testing::StartsWith;
  EXPECT_EQ(events.back(), "finished 0");
  EXPECT_THAT(events, Contains(StartsWith("fin")).Times(1));
  EXPECT_THAT(events, Contains(StartsWith("key ")).Times(::testing::Gt(5000)));
  EXPECT_THAT(events, Contains(StartsWith("key HKEY_LOCAL_MACHINE\\")));
  EXPECT_THAT(events, Contains(StartsWith("key HKEY_USERS\\")));
}

// A value named "\Dup" gives the sub path K\\Dup. The platform opens the key
// path "K\" as K, where a value "Dup" would be deleted in its place.
TEST_F(RealRegistry, EmptyPathComponentDeletesNoLookAlike) {
  scratch.Build({testsupport::Sz("K", "Dup", "keep me"), testsupport::Sz("K", "\\Dup", "stale")});
  engine::RegistryAccess(real).DeleteValueAtPath(HKCU, scratch.Sub("K\\\\Dup"));
  EXPECT_TRUE(testsupport::ReadValue(scratch.Sub("K"), "Dup").found);
}

}  // namespace
