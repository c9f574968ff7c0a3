// The registry access layer: display texts, root names and error kinds,
// deleting the value a sub path names without ever creating a key, and the
// code page the substitutes convert names and text through.
#include "engine/registry_access.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/finding_rules.h"
#include "platform/substitute/ansi_text.h"
#include "platform/substitute/memory_registry.h"

namespace {

using namespace std::string_literals;
namespace t = platform::reg_type;
constexpr std::uint32_t HKCU = 0x80000001u;

TEST(ValueToText, StringsToTheFirstNulBinaryAsHexPairsDwordAsHexAndDecimal) {
  const struct { std::uint32_t type; std::string data, text; } cases[] = {
      {t::kSz, "C:\\a.exe\0"s, "C:\\a.exe"}, {t::kSz, "\0"s, ""}, {t::kSz, "a\0b"s, "a"},
      {t::kSz, "no terminator", "no terminator"}, {t::kMultiSz, "one\0two\0\0"s, "one"},
      {t::kBinary, "\0"s, "00"}, {t::kBinary, "\0\xFF"s, "00 FF"}, {t::kBinary, "\x0A\x1F\xFF", "0A 1F FF"},
      {t::kDword, "\x10\0\0\0"s, "0x00000010(16)"}, {t::kDword, "\x1F\0\0\0"s, "0x0000001F(31)"},
      {t::kDword, "\xFF\xFF\xFF\xFF", "0xFFFFFFFF(-1)"}, {t::kDword, "\0\0\0\x80"s, "0x80000000(-2147483648)"},
      {t::kDword, "\x78\x56\x34\x12\x99", "0x12345678(305419896)"},
      {t::kDword, "\x34\x12", "0x00001234(4660)"},  // missing high bytes count as zero
  };
  for (const auto& c : cases) EXPECT_EQ(engine::ValueToText(c.type, c.data), c.text) << c.text;
  for (std::uint32_t type : {t::kNone, t::kExpandSz, t::kDwordBigEndian, t::kLink, 8u, 11u, 0xFFFFFFFFu}) {
    EXPECT_EQ(engine::ValueToText(type, "C:\\x\0"s), "Temporarily unsupported") << type;
  }
}

TEST(AnsiText, ConvertsThroughWindows1252) {
  using namespace platform;
  EXPECT_EQ(EncodeAnsi(DecodeUtf8("caf\xC3\xA9 \xE2\x82\xAC")), "caf\xE9 \x80");                       // é, €
  EXPECT_EQ(EncodeAnsi(DecodeUtf8("\xCE\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80")), "???");                   // Ω, 中, an emoji
  EXPECT_EQ(EncodeUtf8(DecodeAnsi("\x80\x9F\xFF")), "\xE2\x82\xAC\xC5\xB8\xC3\xBF");
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(EncodeAnsi(DecodeAnsi(one)), one) << b;  // every byte round-trips
  }
  EXPECT_EQ(DecodeUtf8("\xC3"), std::u32string(1, 0xFFFD));  // a cut sequence does not overrun
}

// The substitute's create call makes the missing keys of its path; an
// enumerated value's name comes back with its length.
TEST(MemoryRegistry, CreatesMissingKeysAndReturnsNameLengths) {
  platform::MemoryRegistry r;
  platform::RegHandle key = 0;
  r.CreateKey(HKCU, "A\\B", &key);
  r.SetString(HKCU, "A\\B", "name", "x");
  char name[260];
  std::uint32_t nameLength = 260, type = 0, dataLength = 0;
  EXPECT_EQ(r.EnumValue(key, 0, name, &nameLength, &type, nullptr, &dataLength), platform::reg_result::kSuccess);
  EXPECT_EQ(nameLength, 4u);
}

TEST(RootKeysAndErrorKinds, NamesAndHandles) {
  for (std::uint32_t notARoot : {0u, 0x80000007u}) EXPECT_EQ(engine::RootKeyName(notARoot), "") << notARoot;
  EXPECT_EQ(engine::RootKeyFromName("HKEY_CURRENT_CONFIG"), 0x80000005u);
  for (const char* notARoot : {"hkey_users", "HKEY_ALL", "HKEY_USERS ", "HKEY_NOPE"}) {
    EXPECT_EQ(engine::RootKeyFromName(notARoot), 0u) << notARoot;
  }
  for (const auto& root : engine::kRootKeys) {
    EXPECT_EQ(engine::RootKeyFromName(engine::RootKeyName(root.handle)), root.handle);
  }
  const std::pair<std::int32_t, const char*> kinds[] = {{0, "Missing or Invalid Key Name"},
                                                        {1, "Missing or Invalid Value Name"},
                                                        {2, "Missing or Invalid Path"}, {3, ""}, {-1, ""}};
  for (const auto& [lFound, text] : kinds) EXPECT_EQ(engine::ErrorKind(lFound), text) << lFound;
}

// Each sub path deletes at most the one value it names, in the key before its
// last backslash; no key is ever created and every handle is closed.
TEST(DeleteValueAtPath, DeletesTheNamedValueAndNothingElse) {
  using Value = std::pair<std::string, std::string>;  // key path, value name
  const std::vector<Value> values = {{"", "Name"},     {"Sub", "Name"},       {"Software\\A\\B", "Name"},
                                     {"Software\\A\\B", "Other"}, {"Software\\A", "Name"}, {"Software\\A", "x\\y"},
                                     {"K", ""},        {"K", "Value"},        {"K", "Dup"}, {"K", "\\Dup"}};
  const std::pair<const char*, Value> cases[] = {
      {"Software\\A\\B\\Name", {"Software\\A\\B", "Name"}}, {"Name", {"", "Name"}},  // no backslash: the root's value
      {"k\\", {"K", ""}}, {"K\\VALUE", {"K", "Value"}},  // the default value; names compare without case
      {"Software\\A\\x\\y", {}},  // split inside the value name: names no key, creates none
      {"Software\\Missing\\Deep\\Name", {}}, {"K\\\\Dup", {}},  // an empty component never stands for K
  };
  for (const auto& [subPath, gone] : cases) {
    platform::MemoryRegistry registry;
    for (const auto& [key, name] : values) registry.SetString(HKCU, key, name, "x");
    const std::size_t keys = registry.KeyCount();
    engine::RegistryAccess(registry).DeleteValueAtPath(HKCU, subPath);
    for (const auto& value : values) {
      EXPECT_EQ(registry.HasValue(HKCU, value.first, value.second), value != gone) << subPath << ": " << value.second;
    }
    EXPECT_EQ(registry.KeyCount(), keys) << subPath;
    EXPECT_EQ(registry.OpenHandleCount(), 0u) << subPath;
  }
}

}  // namespace
