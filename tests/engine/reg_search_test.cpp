// The registry walk over the substitute registry, in one suite: order, flags
// and matching, what the events carry, stopping, errors, keys that vanish
// mid-walk, and the limits of names, data and depth. Every walk must leave no
// key handle open.
#include "engine/reg_search.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>

#include "engine/registry_access.h"
#include "engine/search_error.h"
#include "engine/stop_scan.h"
#include "platform/substitute/scripted_message_pump.h"
#include "tests/support/memory_tree.h"
#include "tests/support/search_recorder.h"

namespace {

using ::testing::ElementsAreArray;
using platform::MemoryRegistry;
using testsupport::Sz;
using testsupport::Typed;
using Events = std::vector<std::string>;
using namespace std::string_literals;
namespace t = platform::reg_type;

constexpr std::uint32_t HKCR = 0x80000000u, HKCU = 0x80000001u, HKLM = 0x80000002u, HKU = 0x80000003u;

// Event lines of a walk under HKEY_CURRENT_USER.
std::string Enter(const std::string& path) { return "key HKEY_CURRENT_USER\\" + path; }
std::string Hit(int where, const std::string& key, const std::string& value) {
  return "found " + std::to_string(where) + " HKEY_CURRENT_USER|" + key + "|" + value;
}
const std::string kEnd = "finished 0", n259(259, 'n'), k259(259, 'k');

class WalkTest : public ::testing::Test {
 protected:
  void SetUp() override { StopScan = false; }
  void TearDown() override { EXPECT_EQ(registry.OpenHandleCount(), 0u) << "a key handle was left open"; }
  engine::cRegSearch& Search(std::uint32_t root, const std::string& start, std::int32_t flags, const std::string& text) {
    search = std::make_unique<engine::cRegSearch>(registry, pump);
    search->RootKey(root);
    search->subkey(start);
    search->SearchFlags(flags);
    search->SearchString(text);
    recorder.Attach(*search);
    return *search;
  }

  MemoryRegistry registry;
  platform::ScriptedMessagePump pump;
  std::unique_ptr<engine::cRegSearch> search;
  testsupport::SearchRecorder recorder;
};

// A tree (entries under HKEY_CURRENT_USER, then anything else), the search's
// parameters, and every event the walk must raise.
struct WalkCase {
  const char* name;
  std::vector<testsupport::SampleEntry> tree;
  std::function<void(MemoryRegistry&)> more;
  std::uint32_t root;
  std::string start;
  std::int32_t flags;
  std::string text;
  Events events;
};
void PrintTo(const WalkCase& c, std::ostream* out) { *out << c.name; }

const std::vector<testsupport::SampleEntry> kAbc = {testsupport::Key("T\\ABC"), testsupport::Key("T\\abcd"),
                                                    Sz("T\\k", "abc", "ABCD"), Sz("T\\k", "x", "aBc")};
const std::vector<testsupport::SampleEntry> kNames = {Sz("T\\k", "C:\\name", "C:\\data")};

const WalkCase kWalks[] = {
    {"DepthFirstStartValuesFirstNameAndDataHitTwice",
     {Sz("T", "C:\\start.exe", "x"), Sz("T\\b", "v", "C:\\b"), Sz("T\\b\\c", "v", "C:\\c"), Sz("T\\a", "C:\\A", "C:\\A")},
     {}, HKCU, "T", 3, "C:\\",
     {Hit(1, "T\\C:\\start.exe", "x"), Enter("T\\a"), Hit(1, "T\\a\\C:\\A", "C:\\A"), Hit(2, "T\\a\\C:\\A", "C:\\A"),
      Enter("T\\b"), Hit(2, "T\\b\\v", "C:\\b"), Enter("T\\b\\c"), Hit(2, "T\\b\\c\\v", "C:\\c"), kEnd}},
    {"ValueNamesOnly", kNames, {}, HKCU, "T", 1, "c:\\", {Enter("T\\k"), Hit(1, "T\\k\\C:\\name", "C:\\data"), kEnd}},
    {"ValueDataOnly", kNames, {}, HKCU, "T", 2, "c:\\", {Enter("T\\k"), Hit(2, "T\\k\\C:\\name", "C:\\data"), kEnd}},
    {"KeyNamesWhateverTheFlags", {Sz("T\\k", "k", "k")}, {}, HKCU, "T", 0, "K", {Enter("T\\k"), Hit(0, "T\\k", "*"), kEnd}},
    {"WholeTextWithoutCase", kAbc, {}, HKCU, "T", 7, "abc",
     {Enter("T\\ABC"), Hit(0, "T\\ABC", "*"), Enter("T\\abcd"), Enter("T\\k"), Hit(1, "T\\k\\abc", "ABCD"),
      Hit(2, "T\\k\\x", "aBc"), kEnd}},
    {"ContainmentWithoutCase", kAbc, {}, HKCU, "T", 3, "abc",
     {Enter("T\\ABC"), Hit(0, "T\\ABC", "*"), Enter("T\\abcd"), Hit(0, "T\\abcd", "*"), Enter("T\\k"),
      Hit(1, "T\\k\\abc", "ABCD"), Hit(2, "T\\k\\abc", "ABCD"), Hit(2, "T\\k\\x", "aBc"), kEnd}},
    {"EmptyTextMatchesEverything", {Typed("T\\k", "n", t::kDword, "\1\0\0\0"s)}, {}, HKCU, "T", 3, "",
     {Enter("T\\k"), Hit(0, "T\\k", "*"), Hit(1, "T\\k\\n", "0x00000001(1)"), Hit(2, "T\\k\\n", "0x00000001(1)"), kEnd}},
    {"ValuesOfARootStartKeyGetALeadingBackslash", {Sz("", "C:\\top", "1")}, {}, HKCU, "", 1, "C:\\",
     {Hit(1, "\\C:\\top", "1"), kEnd}},
    {"ExpandStringIsUnsupportedText",
     {Typed("T\\k", "e", t::kExpandSz, "C:\\x.exe\0"s), Typed("T\\k", "C:\\e", t::kExpandSz, "C:\\x.exe\0"s)}, {},
     HKCU, "T", 3, "C:\\", {Enter("T\\k"), Hit(1, "T\\k\\C:\\e", "Temporarily unsupported"), kEnd}},
    {"KeyThatCannotBeOpenedIsSkippedWithItsSubtree",
     {Sz("T\\locked", "v", "C:\\x"), Sz("T\\locked\\inner", "v", "C:\\y"), Sz("T\\open", "v", "C:\\z")},
     [](MemoryRegistry& r) { r.RefuseOpen(HKCU, "T\\locked"); }, HKCU, "T", 3, "C:\\",
     {Enter("T\\locked"), Enter("T\\open"), Hit(2, "T\\open\\v", "C:\\z"), kEnd}},
    {"MissingStartKeyGivesOnlyTheEnd", {}, {}, HKCU, "No\\Such", 3, "", {kEnd}},
    {"AllRootsInTableOrderEachOnItsOwnSkippingOneThatCannotOpen",
     {Sz("cu", "v", "C:\\2"), Sz("", "C:\\rootvalue", "untested")},  // values of the roots themselves are not tested
     [](MemoryRegistry& r) {
       r.SetString(HKCR, "cr", "v", "C:\\1");
       r.SetString(HKLM, "lm", "v", "C:\\3");
       r.SetString(HKU, "u\\Software", "v", "C:\\2");
       r.SetString(0x80000006u, "dyn", "v", "C:\\7");
       r.RefuseOpen(HKLM, "");
     },
     0, "", 3, "C:\\",
     {"key HKEY_CLASSES_ROOT\\cr", "found 2 HKEY_CLASSES_ROOT|cr\\v|C:\\1", Enter("cu"), Hit(2, "cu\\v", "C:\\2"),
      "key HKEY_USERS\\u", "key HKEY_USERS\\u\\Software", "found 2 HKEY_USERS|u\\Software\\v|C:\\2",
      "key HKEY_DYN_DATA\\dyn", "found 2 HKEY_DYN_DATA|dyn\\v|C:\\7", kEnd}},
    {"FailingEnumerationsEndTheirListsOnly",
     {Sz("T\\Perflib\\009", "v", "C:\\x"), testsupport::Key("T\\Perflib\\009\\sub"), testsupport::Key("T\\Zeta")},
     [](MemoryRegistry& r) {
       r.FailKeyEnumeration(HKCU, "T\\Perflib\\009", platform::reg_result::kInvalidHandle);
       r.FailValueEnumeration(HKCU, "T\\Perflib\\009", platform::reg_result::kInvalidHandle);
     },
     HKCU, "T", 3, "C:\\", {Enter("T\\Perflib"), Enter("T\\Perflib\\009"), Enter("T\\Zeta"), kEnd}},
    // xé and € are in the code page; xΩ and Ω come back as "?": such a key is
    // named and tested but cannot be opened under that name.
    {"NamesOutsideTheCodePageAreReplacedAndNotEntered",
     {Sz("T\\x\xCE\xA9", "v", "C:\\omega"), testsupport::Key("T\\x\xCE\xA9\\child"), Sz("T\\x\xC3\xA9", "v", "C:\\e"),
      Sz("T\\\xE2\x82\xAC", "\xCE\xA9", "C:\\\xCE\xA9")},
     {}, HKCU, "T", 3, "",
     {Enter("T\\x\xE9"), Hit(0, "T\\x\xE9", "*"), Hit(1, "T\\x\xE9\\v", "C:\\e"), Hit(2, "T\\x\xE9\\v", "C:\\e"),
      Enter("T\\x?"), Hit(0, "T\\x?", "*"), Enter("T\\\x80"), Hit(0, "T\\\x80", "*"), Hit(1, "T\\\x80\\?", "C:\\?"),
      Hit(2, "T\\\x80\\?", "C:\\?"), kEnd}},
    // Names come back cut at their first NUL: a key so named is not entered.
    {"NulsCutNames", {Sz("T\\k", "C:\\a\0hidden"s, "visible"), Sz("T\\nul\0key\\inner"s, "v", "C:\\inner")}, {}, HKCU,
     "T", 3, "C:\\", {Enter("T\\k"), Hit(1, "T\\k\\C:\\a", "visible"), Enter("T\\nul"), kEnd}},
    // Names of up to 259 characters fit the name buffer; a longer one ends
    // the list it is in, and no other; so does data over 4096 bytes at index 0.
    {"LongNamesAndOversizedDataEndTheirListOnly",
     {Sz("T\\k", "v", "C:\\1"), Sz("T\\" + k259, "v", "C:\\259"), testsupport::Key("T\\" + k259 + "k"),
      testsupport::Key("T\\zz"), Typed("U\\big", "a", t::kBinary, std::string(5000, 'C')), Sz("U\\big", "b", "C:\\b"),
      Sz("U\\big\\sub", "v", "C:\\sub"), Sz("U\\names", "n", "C:\\n"), Sz("U\\names", n259, "C:\\259"),
      Sz("U\\names", n259 + "n", "C:\\260"), Sz("U\\names", "z", "C:\\z")},
     {}, HKCU, "", 3, "C:\\",
     {Enter("T"), Enter("T\\k"), Hit(2, "T\\k\\v", "C:\\1"), Enter("T\\" + k259), Hit(2, "T\\" + k259 + "\\v", "C:\\259"),
      Enter("U"), Enter("U\\big"), Enter("U\\big\\sub"), Hit(2, "U\\big\\sub\\v", "C:\\sub"), Enter("U\\names"),
      Hit(2, "U\\names\\n", "C:\\n"), Hit(2, "U\\names\\" + n259, "C:\\259"), kEnd}},
};

class WalkCaseTest : public WalkTest, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(WalkCaseTest, RaisesExactlyTheseEvents) {
  const WalkCase& c = GetParam();
  testsupport::BuildTree(registry, HKCU, "", c.tree);
  if (c.more) c.more(registry);
  Search(c.root, c.start, c.flags, c.text).DoSearch();
  EXPECT_THAT(recorder.events, ElementsAreArray(c.events));
}

INSTANTIATE_TEST_SUITE_P(Walks, WalkCaseTest, ::testing::ValuesIn(kWalks),
                         [](const auto& info) { return std::string(info.param.name); });

// The data test reads the value's display text: hex pairs for binary data,
// the DWORD form, a string up to its first NUL (the first string of a list),
// "Temporarily unsupported" for every other type; letters compare without
// case in the code page.
TEST_F(WalkTest, DataIsSearchedAsItsDisplayText) {
  const struct {
    std::uint32_t type;
    std::string data, text, hit;  // hit: the reported sValue, "" for no hit
  } cases[] = {
      {t::kBinary, "\x0A\x1F\xFF", "1f ff", "0A 1F FF"},
      {t::kBinary, "C:\\", "C:\\", ""},
      {t::kDword, "\xFF\xFF\xFF\xFF", "0xffffffff(-1)", "0xFFFFFFFF(-1)"},
      {t::kMultiSz, "C:\\one\0C:\\two\0\0"s, "one", "C:\\one"},
      {t::kMultiSz, "C:\\one\0C:\\two\0\0"s, "two", ""},
      {t::kSz, "C:\\a.exe\0C:\\b.exe\0"s, "C:\\", "C:\\a.exe"},
      {t::kSz, "x\0C:\\b.exe\0"s, "C:\\", ""},
      {t::kSz, "C:\\CAF\xC3\x89\xC3\xBE\0"s, "caf\xE9\xDE", "C:\\CAF\xC9\xFE"},  // É é Þ þ of Windows-1252
      {t::kSz, "\xC3\xB7\0"s, "\xD7", ""},                                      // ÷ is not ×
      {t::kExpandSz, "C:\\x.exe\0"s, "C:\\", ""},
      {t::kLink, "x", "UNSUPPORTED", "Temporarily unsupported"},
  };
  for (const auto& c : cases) {
    recorder.events.clear();
    registry.SetValue(HKCU, "T", "v", c.type, c.data);
    Search(HKCU, "T", 2, c.text).DoSearch();
    const Events hit = {Hit(2, "T\\v", c.hit), kEnd};
    EXPECT_EQ(recorder.events, c.hit.empty() ? Events{kEnd} : hit) << c.text;
  }
}

// Every type, data lengths at both ends of the 4096-byte buffer, NULs strewn
// in: a value that fits is reported with the text of its whole data (empty
// data as one zero byte, never bytes of the value read before it); the
// 4097-byte value, last in its key, is not reported.
TEST_F(WalkTest, DataOfEveryTypeUpToTheBufferIsReadWhole) {
  const std::size_t lengths[] = {5, 0, 1, 3, 4, 4095, 4096, 4097};  // in name order
  std::map<std::string, std::string> expected, reported;
  for (std::uint32_t type : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 11u, 0xFFFFFFFFu}) {
    const bool text = type == t::kSz || type == t::kExpandSz || type == t::kMultiSz;
    for (std::size_t i = 0; i < std::size(lengths); ++i) {
      std::string data(lengths[i], '\0');
      for (std::size_t b = 0; b < data.size(); ++b) {
        if (b % 97 != 50) data[b] = static_cast<char>(text ? 'A' + b % 26 : b * 131 + 7 + i);
      }
      const std::string key = "T\\type" + std::to_string(type), name = "L" + std::to_string(i);
      registry.SetValue(HKCU, key, name, type, data);
      if (data.size() <= 4096) expected[key + "\\" + name] = engine::ValueToText(type, data.empty() ? "\0"s : data);
    }
  }
  Search(HKCU, "T", engine::SearchValueData, "");
  search->SearchFound = [&](const std::string&, const std::string& key, const std::string& value, std::int32_t found) {
    if (found == engine::kFoundInValueData) reported[key] = value;
  };
  search->DoSearch();
  EXPECT_EQ(reported.size(), expected.size());
  for (const auto& [key, value] : expected) EXPECT_TRUE(reported.count(key) && reported[key] == value) << key;
}

TEST_F(WalkTest, TreeOf512LevelsIsWalkedToTheBottomProcessingMessagesPerSubKeyAndListEnd) {
  std::string path = "T";
  Events expected;
  for (int level = 1; level <= 512; ++level) {
    path += "\\d";
    registry.SetString(HKCU, path, "v", "C:\\" + std::to_string(level));
    expected.insert(expected.end(), {Enter(path), Hit(2, path + "\\v", "C:\\" + std::to_string(level))});
  }
  expected.push_back(kEnd);
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAreArray(expected));
  EXPECT_EQ(pump.Calls(), 512u + 513u);  // once per sub key, once at the end of each list
}

// --- stopping, errors and keys that vanish, over T\a (a\a1, a\a2), T\b, T\c,
// each with a value v whose data is C:\ and its key path ---

class StopTest : public WalkTest {
 protected:
  void SetUp() override {
    WalkTest::SetUp();
    for (const char* key : {"T\\a", "T\\a\\a1", "T\\a\\a2", "T\\b", "T\\c"}) registry.SetString(HKCU, key, "v", "C:\\"s + key);
  }
  static std::string Data(const std::string& key) { return Hit(2, key + "\\v", "C:\\" + key); }
};

TEST_F(StopTest, StopScanLetsEachLevelHandleOneMoreSubKeyWithoutItsValues) {
  pump.At(2, [] { StopScan = true; });  // inside a, before a1
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAreArray({Enter("T\\a"), Data("T\\a"), Enter("T\\a\\a1"), Enter("T\\b"), kEnd}));
}

TEST_F(StopTest, StopScanInAnAllRootsWalkStillTouchesEachLaterRoot) {
  registry.AddKey(HKLM, "first");
  registry.AddKey(HKLM, "second");
  registry.AddKey(HKU, "only");
  pump.At(3, [] { StopScan = true; });  // inside HKCU's T, before a
  Search(0, "", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAreArray({Enter("T"), Enter("T\\a"), "key HKEY_LOCAL_MACHINE\\first"s,
                                                 "key HKEY_USERS\\only"s, kEnd}));
}

// The levels already running test their remaining sub keys' names and values
// without key events, and enter none of them.
TEST_F(StopTest, StopSearchDuringAWalk) {
  pump.At(2, [this] { search->StopSearch(); });
  Search(HKCU, "T", 3, "c").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAreArray({Enter("T\\a"), Data("T\\a"), Data("T\\a\\a1"), Data("T\\a\\a2"),
                                                 Data("T\\b"), Hit(0, "T\\c", "*"), Data("T\\c"), "finished 1"s}));
}

TEST_F(StopTest, StopSearchBeforeAWalkAppliesToTheNextOneOnly) {
  Search(HKCU, "T\\a", 3, "C:\\").StopSearch();
  search->DoSearch();  // the start key's values are still tested; no sub key is visited
  search->DoSearch();  // the reason was cleared at the end of the last walk
  search->RootKey(0);
  search->StopSearch();
  search->DoSearch();
  EXPECT_THAT(recorder.events, ElementsAreArray({Data("T\\a"), "finished 1"s, Data("T\\a"), Enter("T\\a\\a1"),
                                                 Data("T\\a\\a1"), Enter("T\\a\\a2"), Data("T\\a\\a2"), kEnd,
                                                 "finished 1"s}));
}

TEST_F(StopTest, ErrorEscapingAHandlerEndsItsKeysLoopAndBecomesTheReason) {
  Search(HKCU, "T", 3, "C:\\");
  search->SearchFound = [&](const std::string&, const std::string& key, const std::string&, std::int32_t) {
    recorder.events.push_back("found " + key);
    if (key == "T\\a\\v") throw engine::SearchError(9, "subscript out of range");
  };
  search->DoSearch();  // a's values end; a is not entered; b and c are tested without key events
  Search(HKCU, "T", 3, "C:\\");
  search->SearchKeyChanged = [&](const std::string& name) {
    recorder.events.push_back("key " + name);
    if (name == "HKEY_CURRENT_USER\\T\\a\\a1") throw std::runtime_error("handler failed");
  };
  search->DoSearch();  // a's list ends at a1; an error without a number of its own is 5
  EXPECT_THAT(recorder.events,
              ElementsAreArray({Enter("T\\a"), "found T\\a\\v"s, "found T\\b\\v"s, "found T\\c\\v"s, "finished 9"s,
                                Enter("T\\a"), Data("T\\a"), Enter("T\\a\\a1"), Data("T\\b"), Data("T\\c"), "finished 5"s}));
}

TEST_F(StopTest, KeyDeletedWhileItsValuesAreReadEndsThemAndItsParentsList) {
  registry.SetString(HKCU, "T\\a", "w", "C:\\second");
  Search(HKCU, "T", 3, "C:\\");
  search->SearchFound = [&](const std::string&, const std::string& key, const std::string&, std::int32_t) {
    recorder.events.push_back("found " + key);
    registry.DeleteKey(HKCU, "T\\a");
  };
  search->DoSearch();  // the parent's next index names c now: b is not visited in this walk
  EXPECT_THAT(recorder.events, ElementsAreArray({Enter("T\\a"), "found T\\a\\v"s, Enter("T\\c"), "found T\\c\\v"s, kEnd}));
}

// Deleting a key at each message-processing point in turn: the walk ends
// normally, closes every handle, and reports nothing of the deleted subtree
// after the deletion.
TEST_F(StopTest, KeyDeletedAtAnyPointOfTheWalk) {
  for (const std::string doomed : {"T\\a", "T\\a\\a1", "T\\b", "T"}) {
    for (std::size_t call = 1; call <= 16; ++call) {
      SCOPED_TRACE("deleting " + doomed + " at call " + std::to_string(call));
      MemoryRegistry r;
      for (const char* key : {"T\\a", "T\\a\\a1", "T\\a\\a1\\x", "T\\a\\a2", "T\\b", "T\\b\\b1", "T\\c"}) {
        r.SetString(HKCU, key, "v", "C:\\"s + key);
      }
      platform::ScriptedMessagePump p;
      testsupport::SearchRecorder rec;
      std::size_t eventsAtDeletion = SIZE_MAX;
      p.At(call, [&] {
        r.DeleteKey(HKCU, doomed);
        eventsAtDeletion = rec.events.size();
      });
      engine::cRegSearch walk(r, p);
      walk.RootKey(HKCU);
      walk.subkey("T");
      walk.SearchFlags(3);
      walk.SearchString("C:\\");
      rec.Attach(walk);
      walk.DoSearch();
      EXPECT_EQ(r.OpenHandleCount(), 0u);
      ASSERT_FALSE(rec.events.empty());
      EXPECT_EQ(rec.events.back(), kEnd);
      for (std::size_t i = eventsAtDeletion; i < rec.events.size(); ++i) {
        EXPECT_EQ(rec.events[i].find(doomed + "\\"), std::string::npos) << rec.events[i];
        EXPECT_NE(rec.events[i], Enter(doomed));
      }
    }
  }
}

}  // namespace
