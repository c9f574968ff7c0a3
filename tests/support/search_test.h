// A registry search over an in-memory registry, with its events recorded:
// the fixture of the walk tests. Every test starts with StopScan clear and
// must leave no key handle open.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "engine/reg_search.h"
#include "engine/stop_scan.h"
#include "platform/substitute/memory_registry.h"
#include "platform/substitute/scripted_message_pump.h"
#include "tests/support/search_recorder.h"

namespace testsupport {

class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override { StopScan = false; }
  void TearDown() override { EXPECT_EQ(registry.OpenHandleCount(), 0u) << "a key handle was left open"; }

  // A search object set up as a test wants it, with the recorder attached.
  engine::cRegSearch& Search(std::uint32_t root, const std::string& start, std::int32_t flags,
                             const std::string& text) {
    search = std::make_unique<engine::cRegSearch>(registry, pump);
    search->RootKey(root);
    search->subkey(start);
    search->SearchFlags(flags);
    search->SearchString(text);
    recorder.Attach(*search);
    return *search;
  }

  platform::MemoryRegistry registry;
  platform::ScriptedMessagePump pump;
  std::unique_ptr<engine::cRegSearch> search;
  SearchRecorder recorder;
};

}  // namespace testsupport
