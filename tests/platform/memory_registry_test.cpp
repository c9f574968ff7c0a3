// The substitute must answer the six calls the way the platform does where
// the engine depends on it; these pin the answers the engine relies on.
#include "platform/substitute/memory_registry.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/substitute/ansi_text.h"

namespace {

using namespace platform;
constexpr std::uint32_t HKCU = 0x80000001u;

struct Enumerated {
  long rc;
  std::string name;
  std::uint32_t type = 0;
  std::string data;
};

Enumerated EnumValueAt(Registry& r, RegHandle key, std::uint32_t index, std::uint32_t nameChars = 260,
                       std::uint32_t dataBytes = 4096) {
  Enumerated e;
  std::string name(nameChars, '\0');
  std::string data(dataBytes, '\0');
  std::uint32_t nameLength = nameChars;
  std::uint32_t dataLength = dataBytes;
  e.rc = r.EnumValue(key, index, &name[0], &nameLength, &e.type, reinterpret_cast<unsigned char*>(&data[0]),
                     &dataLength);
  if (e.rc == reg_result::kSuccess) {
    e.name = name.substr(0, nameLength);
    e.data = data.substr(0, dataLength);
  }
  return e;
}

RegHandle Open(Registry& r, const char* path) {
  RegHandle key = 0;
  EXPECT_EQ(r.OpenKeyEx(HKCU, path, 0, 0x20019, &key), reg_result::kSuccess) << path;
  return key;
}

TEST(AnsiText, ConvertsThroughWindows1252) {
  EXPECT_EQ(EncodeAnsi(DecodeUtf8("caf\xC3\xA9 \xE2\x82\xAC")), "caf\xE9 \x80");  // é, €
  EXPECT_EQ(EncodeAnsi(DecodeUtf8("\xCE\xA9\xE4\xB8\xAD")), "??");               // Ω, 中
  EXPECT_EQ(EncodeUtf8(DecodeAnsi("\x80\x9F\xFF")), "\xE2\x82\xAC\xC5\xB8\xC3\xBF");
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(EncodeAnsi(DecodeAnsi(one)), one) << b;  // every byte round-trips
  }
  EXPECT_EQ(DecodeUtf8("\xC3"), std::u32string(1, 0xFFFD));  // a cut sequence does not overrun
}

TEST(MemoryRegistry, KeysEnumerateSortedWithoutRegardToCase) {
  MemoryRegistry r;
  for (const char* k : {"T\\beta", "T\\Alpha", "T\\gamma", "T\\ALPHA\\x"}) r.AddKey(HKCU, k);
  RegHandle key = Open(r, "t");
  char name[260];
  std::vector<std::string> names;
  for (std::uint32_t i = 0; r.EnumKey(key, i, name, 260) == reg_result::kSuccess; ++i) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "gamma"}));
  EXPECT_EQ(r.EnumKey(key, 3, name, 260), reg_result::kNoMoreItems);
  r.CloseKey(key);
  EXPECT_EQ(r.OpenHandleCount(), 0u);
}

TEST(MemoryRegistry, NamesAndStringDataComeBackInTheCodePage) {
  MemoryRegistry r;
  r.AddKey(HKCU, "T\\\xCE\xA9mega");                                        // "Ωmega"
  r.SetString(HKCU, "T", "caf\xC3\xA9", "\xE2\x82\xAC \xCE\xA9");            // "café" = "€ Ω"
  r.SetValue(HKCU, "T", "raw", reg_type::kBinary, "\xCE\xA9");
  RegHandle t = Open(r, "T");
  char name[260];
  ASSERT_EQ(r.EnumKey(t, 0, name, 260), reg_result::kSuccess);
  EXPECT_STREQ(name, "?mega");
  RegHandle unopened = 0;
  EXPECT_EQ(r.OpenKeyEx(t, name, 0, 0x20019, &unopened), reg_result::kFileNotFound);

  const Enumerated cafe = EnumValueAt(r, t, 0);
  EXPECT_EQ(cafe.name, "caf\xE9");
  EXPECT_EQ(cafe.type, reg_type::kSz);
  EXPECT_EQ(cafe.data, std::string("\x80 ?\0", 4));
  EXPECT_EQ(EnumValueAt(r, t, 1).data, "\xCE\xA9");  // binary data is not converted
  EXPECT_EQ(r.DeleteValue(t, "CAF\xC9"), reg_result::kSuccess);  // names compare without case
  r.CloseKey(t);
}

TEST(MemoryRegistry, TooLongNamesAndOversizedDataGiveMoreData) {
  MemoryRegistry r;
  r.SetString(HKCU, "T", std::string(259, 'a'), "x");
  r.SetString(HKCU, "T", std::string(260, 'b'), "x");
  r.SetValue(HKCU, "T", "c", reg_type::kBinary, std::string(4097, 'x'));
  r.SetValue(HKCU, "T", "d", reg_type::kBinary, std::string(4096, 'x'));
  RegHandle t = Open(r, "T");
  EXPECT_EQ(EnumValueAt(r, t, 0).rc, reg_result::kSuccess);
  EXPECT_EQ(EnumValueAt(r, t, 0).name.size(), 259u);
  EXPECT_EQ(EnumValueAt(r, t, 1).rc, reg_result::kMoreData);
  EXPECT_EQ(EnumValueAt(r, t, 2).rc, reg_result::kMoreData);
  EXPECT_EQ(EnumValueAt(r, t, 3).rc, reg_result::kSuccess);
  EXPECT_EQ(EnumValueAt(r, t, 3).data.size(), 4096u);
  EXPECT_EQ(EnumValueAt(r, t, 4).rc, reg_result::kNoMoreItems);
  r.CloseKey(t);
}

TEST(MemoryRegistry, RefusedKeysAndFailingEnumerations) {
  MemoryRegistry r;
  r.AddKey(HKCU, "T\\Locked\\Inner");
  r.RefuseOpen(HKCU, "T\\Locked");
  RegHandle k = 0;
  EXPECT_EQ(r.OpenKeyEx(HKCU, "T\\Locked", 0, 0x20019, &k), reg_result::kAccessDenied);
  EXPECT_EQ(k, 0u);
  EXPECT_EQ(r.OpenKeyEx(HKCU, "T\\Locked\\Inner", 0, 0x20019, &k), reg_result::kSuccess);
  r.CloseKey(k);
  r.FailKeyEnumeration(HKCU, "T", reg_result::kInvalidHandle, 0);
  k = Open(r, "T");
  char name[260];
  EXPECT_EQ(r.EnumKey(k, 0, name, 260), reg_result::kInvalidHandle);
  EXPECT_EQ(r.EnumKey(k, 7, name, 260), reg_result::kInvalidHandle);
  r.CloseKey(k);
  EXPECT_EQ(r.OpenKeyEx(HKCU, "T\\\\Locked", 0, 0x20019, &k), reg_result::kFileNotFound);
}

TEST(MemoryRegistry, CreateKeyMakesMissingKeysAndDeletedKeysFailOpenHandles) {
  MemoryRegistry r;
  RegHandle k = 0;
  EXPECT_EQ(r.CreateKey(HKCU, "A\\B\\C", &k), reg_result::kSuccess);
  EXPECT_TRUE(r.HasKey(HKCU, "a\\b\\c"));
  r.DeleteKey(HKCU, "A\\B");
  char name[260];
  EXPECT_EQ(r.EnumKey(k, 0, name, 260), reg_result::kKeyDeleted);
  EXPECT_EQ(r.CloseKey(k), reg_result::kSuccess);
  EXPECT_FALSE(r.HasKey(HKCU, "A\\B"));
  EXPECT_TRUE(r.HasKey(HKCU, "A"));
  EXPECT_EQ(r.DeleteValue(0, "x"), reg_result::kInvalidHandle);
}

}  // namespace
