#include "engine/registry_access.h"

#include <gtest/gtest.h>

#include "platform/substitute/memory_registry.h"

namespace {

using engine::ValueToText;
namespace t = platform::reg_type;

constexpr std::uint32_t HKCU = 0x80000001u;

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

TEST(ValueToText, StringsStopAtTheFirstNul) {
  EXPECT_EQ(ValueToText(t::kSz, std::string("C:\\a.exe\0", 9)), "C:\\a.exe");
  EXPECT_EQ(ValueToText(t::kSz, std::string(1, '\0')), "");
  EXPECT_EQ(ValueToText(t::kSz, std::string("a\0b", 3)), "a");
  EXPECT_EQ(ValueToText(t::kSz, "no terminator"), "no terminator");
  EXPECT_EQ(ValueToText(t::kMultiSz, std::string("one\0two\0\0", 9)), "one");
}

TEST(ValueToText, BinaryIsUpperCaseHexPairs) {
  EXPECT_EQ(ValueToText(t::kBinary, Bytes({0})), "00");
  EXPECT_EQ(ValueToText(t::kBinary, Bytes({0x00, 0xFF})), "00 FF");
  EXPECT_EQ(ValueToText(t::kBinary, Bytes({0x0A, 0x1F, 0xFF})), "0A 1F FF");
}

TEST(ValueToText, DwordIsHexAndSignedDecimal) {
  EXPECT_EQ(ValueToText(t::kDword, Bytes({16, 0, 0, 0})), "0x00000010(16)");
  EXPECT_EQ(ValueToText(t::kDword, Bytes({31, 0, 0, 0})), "0x0000001F(31)");
  EXPECT_EQ(ValueToText(t::kDword, Bytes({0xFF, 0xFF, 0xFF, 0xFF})), "0xFFFFFFFF(-1)");
  EXPECT_EQ(ValueToText(t::kDword, Bytes({0, 0, 0, 0x80})), "0x80000000(-2147483648)");
  EXPECT_EQ(ValueToText(t::kDword, Bytes({0x78, 0x56, 0x34, 0x12, 0x99})), "0x12345678(305419896)");
  // Short data: the missing high bytes count as zero.
  EXPECT_EQ(ValueToText(t::kDword, Bytes({0x34, 0x12})), "0x00001234(4660)");
}

TEST(ValueToText, EveryOtherTypeIsUnsupported) {
  for (std::uint32_t type : {t::kNone, t::kExpandSz, t::kDwordBigEndian, t::kLink, 8u, 11u, 0xFFFFFFFFu}) {
    EXPECT_EQ(ValueToText(type, std::string("C:\\x\0", 5)), "Temporarily unsupported") << type;
  }
}

TEST(TrimAtNull, CutsAtTheFirstNul) {
  EXPECT_EQ(engine::TrimAtNull(std::string("ab\0cd\0", 6)), "ab");
  EXPECT_EQ(engine::TrimAtNull("abc"), "abc");
  EXPECT_EQ(engine::TrimAtNull(std::string("\0x", 2)), "");
}

TEST(RootKeys, NamesAndHandles) {
  EXPECT_EQ(engine::RootKeyName(0), "");
  EXPECT_EQ(engine::RootKeyName(0x80000006u), "HKEY_DYN_DATA");
  EXPECT_EQ(engine::RootKeyName(0x80000007u), "");
  EXPECT_EQ(engine::RootKeyFromName("HKEY_CURRENT_CONFIG"), 0x80000005u);
  EXPECT_EQ(engine::RootKeyFromName("hkey_users"), 0u);
  EXPECT_EQ(engine::RootKeyFromName("HKEY_ALL"), 0u);
  EXPECT_EQ(engine::RootKeyFromName("HKEY_USERS "), 0u);
  for (const auto& root : engine::kRootKeys) {
    EXPECT_EQ(engine::RootKeyFromName(engine::RootKeyName(root.handle)), root.handle);
  }
}

class DeleteValueTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(registry.OpenHandleCount(), 0u); }
  platform::MemoryRegistry registry;
  engine::RegistryAccess access{registry};
};

TEST_F(DeleteValueTest, DeletesTheValueTheSubPathNames) {
  registry.SetString(HKCU, "Software\\A\\B", "Name", "x");
  registry.SetString(HKCU, "Software\\A\\B", "Other", "y");
  registry.SetString(HKCU, "Software\\A", "Name", "z");
  access.DeleteValueAtPath(HKCU, "Software\\A\\B\\Name");
  EXPECT_FALSE(registry.HasValue(HKCU, "Software\\A\\B", "Name"));
  EXPECT_TRUE(registry.HasValue(HKCU, "Software\\A\\B", "Other"));
  EXPECT_TRUE(registry.HasValue(HKCU, "Software\\A", "Name"));
}

TEST_F(DeleteValueTest, SubPathWithoutBackslashNamesAValueOfTheRoot) {
  registry.SetString(HKCU, "", "Name", "x");
  registry.SetString(HKCU, "Sub", "Name", "y");
  access.DeleteValueAtPath(HKCU, "Name");
  EXPECT_FALSE(registry.HasValue(HKCU, "", "Name"));
  EXPECT_TRUE(registry.HasValue(HKCU, "Sub", "Name"));
}

TEST_F(DeleteValueTest, DefaultValueAndCaseInsensitiveNames) {
  registry.SetString(HKCU, "K", "", "default");
  registry.SetString(HKCU, "K", "Value", "v");
  access.DeleteValueAtPath(HKCU, "k\\");
  access.DeleteValueAtPath(HKCU, "K\\VALUE");
  EXPECT_FALSE(registry.HasValue(HKCU, "K", ""));
  EXPECT_FALSE(registry.HasValue(HKCU, "K", "Value"));
}

TEST_F(DeleteValueTest, NeverCreatesAKey) {
  registry.SetString(HKCU, "Software\\A", "x\\y", "value name with a backslash");
  const std::size_t keys = registry.KeyCount();
  access.DeleteValueAtPath(HKCU, "Software\\A\\x\\y");  // splits inside the value name
  access.DeleteValueAtPath(HKCU, "Software\\Missing\\Deep\\Name");
  EXPECT_EQ(registry.KeyCount(), keys);
  EXPECT_FALSE(registry.HasKey(HKCU, "Software\\A\\x"));
  EXPECT_TRUE(registry.HasValue(HKCU, "Software\\A", "x\\y"));
}

TEST_F(DeleteValueTest, EmptyPathComponentNeverDeletesALookAlike) {
  // A value named "\Dup" gives the sub path K\\Dup; the platform would open K
  // for the key path "K\" and delete the other value, "Dup".
  registry.SetString(HKCU, "K", "Dup", "keep me");
  registry.SetString(HKCU, "K", "\\Dup", "stale");
  access.DeleteValueAtPath(HKCU, "K\\\\Dup");
  EXPECT_TRUE(registry.HasValue(HKCU, "K", "Dup"));
}

TEST_F(DeleteValueTest, UnknownRootOrMissingValueChangesNothing) {
  registry.SetString(HKCU, "K", "v", "x");
  access.DeleteValueAtPath(engine::RootKeyFromName("HKEY_NOPE"), "K\\v");
  access.DeleteValueAtPath(HKCU, "K\\absent");
  EXPECT_TRUE(registry.HasValue(HKCU, "K", "v"));
}

TEST_F(DeleteValueTest, KeyThatRefusesOpeningIsLeftAlone) {
  registry.SetString(HKCU, "Locked", "v", "x");
  registry.RefuseOpen(HKCU, "Locked");
  access.DeleteValueAtPath(HKCU, "Locked\\v");
  EXPECT_TRUE(registry.HasValue(HKCU, "Locked", "v"));
}

}  // namespace
