// Value deletion against Wine's real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include "engine/registry_access.h"
#include "platform/win32/win32_registry.h"
#include "tests/wine/scratch_key.h"

namespace {

constexpr std::uint32_t HKCU = 0x80000001u;
using testsupport::Sz;

class RealDeleteValue : public ::testing::Test {
 protected:
  platform::Win32Registry real;
  engine::RegistryAccess access{real};
  testsupport::ScratchKey scratch;
};

TEST_F(RealDeleteValue, DeletesExactlyTheNamedValue) {
  scratch.Build({Sz("A\\B", "Name", "C:\\gone.exe"), Sz("A\\B", "Other", "x"), Sz("A", "Name", "y"),
                 Sz("A\\B", "", "default")});
  access.DeleteValueAtPath(HKCU, scratch.Sub("A\\B\\Name"));
  EXPECT_FALSE(scratch.HasValue("A\\B", "Name"));
  EXPECT_TRUE(scratch.HasValue("A\\B", "Other"));
  EXPECT_TRUE(scratch.HasValue("A", "Name"));
  access.DeleteValueAtPath(HKCU, scratch.Sub("A\\B\\"));  // the default value
  EXPECT_FALSE(scratch.HasValue("A\\B", ""));
  EXPECT_TRUE(scratch.HasValue("A\\B", "Other"));
}

TEST_F(RealDeleteValue, CreatesNoKey) {
  scratch.Build({Sz("A", "x\\y", "a value name with a backslash")});
  access.DeleteValueAtPath(HKCU, scratch.Sub("A\\x\\y"));
  access.DeleteValueAtPath(HKCU, scratch.Sub("Missing\\Deep\\Name"));
  EXPECT_FALSE(scratch.HasKey("A\\x"));
  EXPECT_FALSE(scratch.HasKey("Missing"));
  EXPECT_TRUE(scratch.HasValue("A", "x\\y"));
}

TEST_F(RealDeleteValue, EmptyComponentDoesNotReachALookAlikeValue) {
  scratch.Build({Sz("K", "Dup", "keep me"), Sz("K", "\\Dup", "stale")});
  access.DeleteValueAtPath(HKCU, scratch.Sub("K\\\\Dup"));
  EXPECT_TRUE(scratch.HasValue("K", "Dup"));
}

}  // namespace
