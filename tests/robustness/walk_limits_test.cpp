// The walk at the edges of what a registry can hold: a very deep tree, names
// of every length up to the limits, data of every type and length, embedded
// NULs, names outside the ANSI code page, and keys that vanish while they are
// being walked. Each walk must end with SearchFinished, report what the limits
// let through and nothing else, and leave no key handle open.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/scan_parameters.h"
#include "engine/reg_search.h"
#include "engine/registry_access.h"
#include "engine/stop_scan.h"
#include "platform/substitute/memory_registry.h"
#include "platform/substitute/scripted_message_pump.h"
#include "tests/support/search_test.h"

namespace {

using ::testing::ElementsAreArray;

constexpr std::uint32_t HKCU = 0x80000001u;
const std::string kRoot = "HKEY_CURRENT_USER";

class WalkLimitsTest : public testsupport::SearchTest {
 protected:
  engine::cRegSearch& Search(const std::string& start, std::int32_t flags, const std::string& text) {
    return SearchTest::Search(HKCU, start, flags, text);
  }
};

// --- depth ---

TEST_F(WalkLimitsTest, TreeOf512LevelsIsWalkedToTheBottomInOrder) {
  constexpr int kDepth = 512;
  std::string path = "T";
  std::vector<std::string> expected;
  for (int level = 1; level <= kDepth; ++level) {
    path += "\\d";
    registry.SetString(HKCU, path, "v", "C:\\level" + std::to_string(level) + ".exe");
    expected.push_back("key " + kRoot + "\\" + path);
    expected.push_back("found 2 " + kRoot + "|" + path + "\\v|C:\\level" + std::to_string(level) + ".exe");
  }
  expected.push_back("finished 0");

  Search("T", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAreArray(expected));
  // Once per sub key (512) and once at the end of each of the 513 lists.
  EXPECT_EQ(pump.Calls(), 512u + 513u);
}

TEST_F(WalkLimitsTest, DeepTreeUnderTheScansOwnParameters) {
  std::string path = "Deep";
  for (int level = 1; level <= 512; ++level) path += "\\" + std::to_string(level % 10);
  registry.SetString(HKCU, path, "bottom", "C:\\bottom.exe");
  engine::cRegSearch scan(registry, pump);
  app::ConfigureScan(scan);
  recorder.Attach(scan);
  scan.DoSearch();
  EXPECT_EQ(recorder.Count("key "), 513u);
  EXPECT_THAT(recorder.events, ::testing::Contains("found 2 " + kRoot + "|" + path + "\\bottom|C:\\bottom.exe"));
  EXPECT_EQ(recorder.events.back(), "finished 0");
}

// --- name lengths ---

// Sub keys named with 1 to 259 characters all fit the 260-character buffer:
// each is named, opened and its value tested. A name of 260 characters does
// not fit and ends its parent's list, but no other list.
TEST_F(WalkLimitsTest, KeyNamesUpToTheBufferAreWalkedAndALongerOneEndsItsList) {
  std::set<std::string> expectedKeys;
  for (int length = 1; length <= 259; ++length) {
    const std::string name(static_cast<std::size_t>(length), 'k');
    registry.SetString(HKCU, "T\\" + name, "v", "C:\\" + std::to_string(length));
    expectedKeys.insert("key " + kRoot + "\\T\\" + name);
  }
  registry.AddKey(HKCU, "T\\" + std::string(260, 'k'));  // sorts after every shorter run of k
  registry.AddKey(HKCU, "T\\zz-after-the-long-one");
  registry.SetString(HKCU, "U\\sibling", "v", "C:\\sibling");  // a later list, not affected

  Search("", 3, "C:\\").DoSearch();
  std::set<std::string> keys;
  for (const auto& e : recorder.events) {
    if (e.rfind("key " + kRoot + "\\T\\", 0) == 0) keys.insert(e);
  }
  EXPECT_EQ(keys, expectedKeys);
  EXPECT_EQ(recorder.Count("found 2 " + kRoot + "|T\\"), 259u);
  EXPECT_EQ(recorder.Count("key " + kRoot + "\\T\\zz"), 0u);
  EXPECT_EQ(recorder.Count("found 2 " + kRoot + "|U\\sibling\\v|C:\\sibling"), 1u);
}

TEST_F(WalkLimitsTest, KeyNameOf255CharactersAtTheBottomOfALongPath) {
  // The longest name the platform allows, five levels down: the key path grows
  // past the name buffer, which only ever holds one name.
  std::string path = "T";
  for (int level = 0; level < 5; ++level) path += "\\" + std::string(255, static_cast<char>('a' + level));
  registry.SetString(HKCU, path, std::string(255, 'n'), "C:\\deep-and-long.exe");
  Search("T", 3, "C:\\").DoSearch();
  EXPECT_EQ(recorder.Count("key "), 5u);
  EXPECT_THAT(recorder.events,
              ::testing::Contains("found 2 " + kRoot + "|" + path + "\\" + std::string(255, 'n') + "|C:\\deep-and-long.exe"));
}

// Value names of 1 to 259 characters are read and tested; the first of 260
// ends the values of its key, and the key's sub keys are still walked.
TEST_F(WalkLimitsTest, ValueNamesOf259CharactersAreReadAnd260EndsTheValues) {
  for (int length = 1; length <= 260; ++length) {
    registry.SetString(HKCU, "T\\k", std::string(static_cast<std::size_t>(length), 'n'), "C:\\" + std::to_string(length));
  }
  registry.SetString(HKCU, "T\\k", "z-after", "C:\\after");
  registry.SetString(HKCU, "T\\k\\sub", "v", "C:\\sub");
  Search("T", 3, "C:\\").DoSearch();
  for (int length = 1; length <= 259; ++length) {
    const std::string name(static_cast<std::size_t>(length), 'n');
    EXPECT_EQ(recorder.Count("found 2 " + kRoot + "|T\\k\\" + name + "|C:\\" + std::to_string(length)), 1u) << length;
  }
  EXPECT_EQ(recorder.Count("found 2 " + kRoot + "|T\\k\\" + std::string(260, 'n') + "|"), 0u);
  EXPECT_EQ(recorder.Count("found 2 " + kRoot + "|T\\k\\z-after"), 0u);
  EXPECT_EQ(recorder.Count("found 2 " + kRoot + "|T\\k\\sub\\v|C:\\sub"), 1u);
}

// --- data ---

// Data bytes that survive every type's storage: string types are held as
// text, so their pattern stays ASCII; NULs are strewn in.
std::string Pattern(std::size_t length, bool ascii) {
  std::string data(length, '\0');
  for (std::size_t i = 0; i < length; ++i) {
    if (i % 97 == 50) continue;  // an embedded NUL every 97 bytes
    data[i] = ascii ? static_cast<char>('A' + i % 26) : static_cast<char>((i * 131 + 7) & 0xFF);
  }
  return data;
}

// Every type, every length from 0 to 4097 bytes: each value of up to 4096
// bytes is read whole (an empty one as one zero byte) and reported with the
// display text of that data; the 4097-byte value, last in its key, is the one
// that does not fit, and nothing of it is reported.
TEST_F(WalkLimitsTest, DataOfEveryTypeAndLengthPassesTheBufferWhole) {
  const std::vector<std::uint32_t> types = {0, 1, 2, 3, 4, 5, 6, 7, 11, 0xFFFFFFFFu};
  std::map<std::string, std::pair<std::uint32_t, std::string>> stored;  // "type\\name" -> data
  for (std::uint32_t type : types) {
    const bool text = type == 1 || type == 2 || type == 7;
    for (std::size_t length = 0; length <= 4097; ++length) {
      char name[16];
      std::snprintf(name, sizeof(name), "L%04zu", length);
      const std::string key = "T\\type" + std::to_string(type);
      registry.SetValue(HKCU, key, name, type, Pattern(length, text));
      stored[key + "\\" + name] = {type, Pattern(length, text)};
    }
  }

  engine::cRegSearch walk(registry, pump);
  walk.RootKey(HKCU);
  walk.subkey("T");
  walk.SearchFlags(engine::SearchValueData);
  walk.SearchString("");  // every value is a hit
  std::size_t hits = 0;
  std::size_t keyHits = 0;
  std::size_t mismatches = 0;
  std::set<std::string> seen;
  walk.SearchFound = [&](const std::string&, const std::string& key, const std::string& value, std::int32_t lFound) {
    if (lFound == engine::kFoundInKeyName) {
      ++keyHits;  // key names are tested whatever the flags
      return;
    }
    ++hits;
    seen.insert(key);
    const auto it = stored.find(key);
    if (it == stored.end()) {
      ++mismatches;
      return;
    }
    const std::string& data = it->second.second;
    const std::string read = data.empty() ? std::string(1, '\0') : data;
    if (value != engine::ValueToText(it->second.first, read) && ++mismatches <= 5) {
      ADD_FAILURE() << key << ": " << value.size() << " characters reported";
    }
  };
  std::int32_t reason = -1;
  walk.SearchFinished = [&](std::int32_t r) { reason = r; };
  walk.DoSearch();

  EXPECT_EQ(reason, 0);
  EXPECT_EQ(mismatches, 0u);
  EXPECT_EQ(keyHits, types.size());
  EXPECT_EQ(hits, types.size() * 4097u);
  for (std::uint32_t type : types) {
    EXPECT_EQ(seen.count("T\\type" + std::to_string(type) + "\\L4096"), 1u) << type;
    EXPECT_EQ(seen.count("T\\type" + std::to_string(type) + "\\L4097"), 0u) << type;
  }
}

TEST_F(WalkLimitsTest, EmbeddedNulsCutNamesAndStringsButNotBinaryData) {
  registry.SetString(HKCU, "T\\k", std::string("C:\\a\0hidden", 11), "visible");
  registry.SetValue(HKCU, "T\\k", "sz", 1, std::string("C:\\x.exe\0C:\\y.exe\0", 18));
  registry.SetValue(HKCU, "T\\k", "bin", 3, std::string("\0C:\\\0", 5));
  registry.AddKey(HKCU, std::string("T\\nul\0key", 9));
  Search("T", 3, "").DoSearch();
  EXPECT_THAT(recorder.events,
              ElementsAreArray(std::vector<std::string>{
                  "key " + kRoot + "\\T\\k",
                  "found 0 " + kRoot + "|T\\k|*",
                  "found 1 " + kRoot + "|T\\k\\bin|00 43 3A 5C 00",
                  "found 2 " + kRoot + "|T\\k\\bin|00 43 3A 5C 00",
                  // The name comes back with its NUL and is cut there.
                  "found 1 " + kRoot + "|T\\k\\C:\\a|visible",
                  "found 2 " + kRoot + "|T\\k\\C:\\a|visible",
                  "found 1 " + kRoot + "|T\\k\\sz|C:\\x.exe",
                  "found 2 " + kRoot + "|T\\k\\sz|C:\\x.exe",
                  // Cut at its NUL, the key name names no key: named, not entered.
                  "key " + kRoot + "\\T\\nul",
                  "found 0 " + kRoot + "|T\\nul|*",
                  "finished 0",
              }));
}

// --- names outside the code page ---

TEST_F(WalkLimitsTest, NamesOutsideTheCodePageAreReportedReplacedAndNotEntered) {
  registry.SetString(HKCU, "T\\\xE4\xB8\xAD", "v", "C:\\cjk.exe");            // 中
  registry.SetString(HKCU, "T\\\xF0\x9F\x98\x80", "v", "C:\\emoji.exe");      // an emoji: one '?'
  registry.SetString(HKCU, "T\\\xE2\x82\xAC" "uro", "v", "C:\\euro.exe");     // € is in the code page
  registry.SetString(HKCU, "T\\\xE2\x82\xAC" "uro", "\xCE\xA9mega", "C:\\\xCE\xA9.exe");  // Ω is not
  Search("T", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAreArray(std::vector<std::string>{
                                   "key " + kRoot + "\\T\\\x80uro",
                                   "found 2 " + kRoot + "|T\\\x80uro\\v|C:\\euro.exe",
                                   "found 2 " + kRoot + "|T\\\x80uro\\?mega|C:\\?.exe",
                                   "key " + kRoot + "\\T\\?",
                                   "key " + kRoot + "\\T\\?",
                                   "finished 0",
                               }));
}

// --- keys that vanish ---

// Deleting a key while the walk is inside it, at every message-processing
// point in turn: the walk always ends normally, closes every handle, and no
// key of the deleted subtree is reported after the deletion.
TEST_F(WalkLimitsTest, KeyDeletedAtAnyPointOfTheWalk) {
  const std::vector<std::string> tree = {"T\\a", "T\\a\\a1", "T\\a\\a1\\x", "T\\a\\a2", "T\\b", "T\\b\\b1", "T\\c"};
  for (const std::string& doomed : {std::string("T\\a"), std::string("T\\a\\a1"), std::string("T\\b"), std::string("T")}) {
    for (std::size_t call = 1; call <= 16; ++call) {
      platform::MemoryRegistry r;
      for (const auto& key : tree) r.SetString(HKCU, key, "v", "C:\\" + key);
      platform::ScriptedMessagePump p;
      bool deleted = false;
      std::size_t eventsAtDeletion = 0;
      testsupport::SearchRecorder rec;
      p.At(call, [&] {
        r.DeleteKey(HKCU, doomed);
        deleted = true;
        eventsAtDeletion = rec.events.size();
      });
      engine::cRegSearch walk(r, p);
      walk.RootKey(HKCU);
      walk.subkey("T");
      walk.SearchFlags(3);
      walk.SearchString("C:\\");
      rec.Attach(walk);
      StopScan = false;
      walk.DoSearch();

      SCOPED_TRACE("deleting " + doomed + " at call " + std::to_string(call));
      EXPECT_EQ(r.OpenHandleCount(), 0u);
      ASSERT_FALSE(rec.events.empty());
      EXPECT_EQ(rec.events.back(), "finished 0");
      if (!deleted) continue;  // the walk ended before that call
      for (std::size_t i = eventsAtDeletion; i < rec.events.size(); ++i) {
        const std::string& e = rec.events[i];
        EXPECT_EQ(e.find(kRoot + "\\" + doomed + "\\"), std::string::npos) << e;
        EXPECT_EQ(e.find("|" + doomed + "\\"), std::string::npos) << e;
        EXPECT_NE(e, "key " + kRoot + "\\" + doomed);
      }
    }
  }
}

// A handler of SearchFound that deletes the key whose values are being read:
// the rest of that key's values are not read, and the walk goes on.
TEST_F(WalkLimitsTest, KeyDeletedByAFoundHandlerEndsItsValues) {
  registry.SetString(HKCU, "T\\a", "1", "C:\\one");
  registry.SetString(HKCU, "T\\a", "2", "C:\\two");
  registry.SetString(HKCU, "T\\a\\inner", "v", "C:\\inner");
  registry.SetString(HKCU, "T\\b", "v", "C:\\b");
  Search("T", 3, "C:\\");
  search->SearchFound = [&](const std::string& root, const std::string& key, const std::string& value, std::int32_t f) {
    recorder.events.push_back("found " + std::to_string(f) + " " + root + "|" + key + "|" + value);
    if (key == "T\\a\\1") registry.DeleteKey(HKCU, "T\\a");
  };
  search->DoSearch();
  EXPECT_THAT(recorder.events, ElementsAreArray(std::vector<std::string>{
                                   "key " + kRoot + "\\T\\a",
                                   "found 2 " + kRoot + "|T\\a\\1|C:\\one",
                                   // a and its subtree are gone; the next index names nothing
                                   "finished 0",
                               }));
}

}  // namespace
