// The registry walk over the substitute registry, in one suite: order, flags
// and matching, what the events carry, stopping, errors, keys that vanish
// mid-walk, and the limits of names, data and depth. Every walk must leave no
// key handle open.
#include "engine/reg_search.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <map>

#include "engine/registry_access.h"
#include "engine/search_error.h"
#include "engine/stop_scan.h"
#include "platform/substitute/scripted_message_pump.h"
#include "tests/support/memory_tree.h"
#include "tests/support/search_recorder.h"

namespace {

using testsupport::Key;
using testsupport::Sz;
using testsupport::Typed;
using Events = std::vector<std::string>;
using namespace std::string_literals;
namespace t = platform::reg_type;

constexpr std::uint32_t HKCU = 0x80000001u, HKLM = 0x80000002u, HKU = 0x80000003u;

// A walk's events in short: "+path" for a key entered below
// HKEY_CURRENT_USER, "N key|value" for a hit there in place N (0 key name, 1
// value name, 2 value data), "end N" for the finish; other events unchanged.
std::string Short(const Events& events) {
  std::string text;
  for (std::string e : events) {
    if (e.rfind("key HKEY_CURRENT_USER\\", 0) == 0) e = "+" + e.substr(22);
    if (e.rfind("found ", 0) == 0 && e.compare(8, 18, "HKEY_CURRENT_USER|") == 0) e = e.substr(6, 2) + e.substr(26);
    if (e.rfind("finished ", 0) == 0) e = "end " + e.substr(9);
    text += (text.empty() ? "" : "; ") + e;
  }
  return text;
}
const std::string n259(259, 'n'), k259(259, 'k');

struct WalkTest : ::testing::Test {
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
  // A handler that records the hit's key, then does `then`.
  void OnFound(std::function<void(const std::string& key)> then) {
    search->SearchFound = [this, then](const std::string&, const std::string& key, const std::string&, std::int32_t) {
      recorder.events.push_back("found " + key);
      then(key);
    };
  }

  platform::MemoryRegistry registry;
  platform::ScriptedMessagePump pump;
  std::unique_ptr<engine::cRegSearch> search;
  testsupport::SearchRecorder recorder;
};

// A tree under HKEY_CURRENT_USER, the search's parameters, what else to
// arrange once the search exists, and every event the walk must raise.
struct WalkCase {
  const char* name; std::vector<testsupport::SampleEntry> tree; std::uint32_t root; std::string start;
  std::int32_t flags; std::string text; std::function<void(WalkTest&)> arrange; std::string events;
};
void PrintTo(const WalkCase& c, std::ostream* out) { *out << c.name; }

const std::vector<testsupport::SampleEntry> kAbc = {Key("T\\ABC"), Key("T\\abcd"), Sz("T\\k", "abc", "ABCD"),
                                                    Sz("T\\k", "x", "aBc")};
// T\a (a\a1, a\a2), T\b, T\c, each with a value v whose data is C:\ and the key's path.
std::vector<testsupport::SampleEntry> Keys(std::initializer_list<const char*> paths) {
  std::vector<testsupport::SampleEntry> keys;
  for (const char* path : paths) keys.push_back(Sz(path, "v", "C:\\"s + path));
  return keys;
}
const auto kStop = Keys({"T\\a", "T\\a\\a1", "T\\a\\a2", "T\\b", "T\\c"});

// Events in short, as Short() writes them.
const WalkCase kWalks[] = {
    {"DepthFirstStartValuesFirstNameAndDataHitTwice",
     {Sz("T", "C:\\start.exe", "x"), Sz("T\\b", "v", "C:\\b"), Sz("T\\b\\c", "v", "C:\\c"), Sz("T\\a", "C:\\A", "C:\\A")},
     HKCU, "T", 3, "C:\\", {},
     "1 T\\C:\\start.exe|x; +T\\a; 1 T\\a\\C:\\A|C:\\A; 2 T\\a\\C:\\A|C:\\A; +T\\b; 2 T\\b\\v|C:\\b; +T\\b\\c; "
     "2 T\\b\\c\\v|C:\\c; end 0"},
    {"ValueNamesOnly", {Sz("T\\k", "C:\\name", "C:\\data")}, HKCU, "T", 1, "c:\\", {}, "+T\\k; 1 T\\k\\C:\\name|C:\\data; end 0"},
    {"ValueDataOnly", {Sz("T\\k", "C:\\name", "C:\\data")}, HKCU, "T", 2, "c:\\", {}, "+T\\k; 2 T\\k\\C:\\name|C:\\data; end 0"},
    {"KeyNamesWhateverTheFlags", {Sz("T\\k", "k", "k")}, HKCU, "T", 0, "K", {}, "+T\\k; 0 T\\k|*; end 0"},
    {"WholeTextWithoutCase", kAbc, HKCU, "T", 7, "abc", {},
     "+T\\ABC; 0 T\\ABC|*; +T\\abcd; +T\\k; 1 T\\k\\abc|ABCD; 2 T\\k\\x|aBc; end 0"},
    {"ContainmentWithoutCase", kAbc, HKCU, "T", 3, "abc", {},
     "+T\\ABC; 0 T\\ABC|*; +T\\abcd; 0 T\\abcd|*; +T\\k; 1 T\\k\\abc|ABCD; 2 T\\k\\abc|ABCD; 2 T\\k\\x|aBc; end 0"},
    {"ValuesOfARootStartKeyGetALeadingBackslash", {Sz("", "C:\\top", "1")}, HKCU, "", 1, "C:\\", {},
     "1 \\C:\\top|1; end 0"},
    {"KeyThatCannotBeOpenedIsSkippedWithItsSubtree",
     {Sz("T\\locked", "v", "C:\\x"), Sz("T\\locked\\inner", "v", "C:\\y"), Sz("T\\open", "v", "C:\\z")}, HKCU, "T", 3,
     "C:\\", [](WalkTest& w) { w.registry.RefuseOpen(HKCU, "T\\locked"); }, "+T\\locked; +T\\open; 2 T\\open\\v|C:\\z; end 0"},
    {"MissingStartKeyGivesOnlyTheEnd", {}, HKCU, "No\\Such", 3, "", {}, "end 0"},
    {"AllRootsInTableOrderEachOnItsOwnSkippingOneThatCannotOpen",
     {Sz("cu", "v", "C:\\2"), Sz("", "C:\\rootvalue", "untested")}, 0, "", 3, "C:\\",  // a root's values are not tested
     [](WalkTest& w) {
       for (std::uint32_t root : {0x80000000u, HKLM, 0x80000005u, 0x80000006u}) w.registry.SetString(root, "r", "v", "C:\\");
       w.registry.SetString(HKU, "u\\Software", "v", "C:\\2");
       w.registry.RefuseOpen(0x80000005u, "");
     },
     "key HKEY_CLASSES_ROOT\\r; found 2 HKEY_CLASSES_ROOT|r\\v|C:\\; +cu; 2 cu\\v|C:\\2; key HKEY_LOCAL_MACHINE\\r; "
     "found 2 HKEY_LOCAL_MACHINE|r\\v|C:\\; key HKEY_USERS\\u; key HKEY_USERS\\u\\Software; "
     "found 2 HKEY_USERS|u\\Software\\v|C:\\2; key HKEY_DYN_DATA\\r; found 2 HKEY_DYN_DATA|r\\v|C:\\; end 0"},
    {"FailingEnumerationsEndTheirListsOnly", {Sz("T\\Perf\\009", "v", "C:\\x"), Key("T\\Perf\\009\\sub"), Key("T\\Z")},
     HKCU, "T", 3, "C:\\",
     [](WalkTest& w) {
       w.registry.FailKeyEnumeration(HKCU, "T\\Perf\\009", platform::reg_result::kInvalidHandle);
       w.registry.FailValueEnumeration(HKCU, "T\\Perf\\009", platform::reg_result::kInvalidHandle);
     },
     "+T\\Perf; +T\\Perf\\009; +T\\Z; end 0"},
    // xé and € are in the code page; xΩ and Ω come back as "?": such a key is
    // named and tested but cannot be opened under that name.
    {"NamesOutsideTheCodePageAreReplacedAndNotEntered",
     {Sz("T\\x\xCE\xA9", "v", "C:\\omega"), Key("T\\x\xCE\xA9\\child"), Sz("T\\x\xC3\xA9", "v", "C:\\e"),
      Sz("T\\\xE2\x82\xAC", "\xCE\xA9", "C:\\\xCE\xA9")},
     HKCU, "T", 3, "", {},
     "+T\\x\xE9; 0 T\\x\xE9|*; 1 T\\x\xE9\\v|C:\\e; 2 T\\x\xE9\\v|C:\\e; +T\\x?; 0 T\\x?|*; +T\\\x80; 0 T\\\x80|*; "
     "1 T\\\x80\\?|C:\\?; 2 T\\\x80\\?|C:\\?; end 0"},
    // Names come back cut at their first NUL: a key so named is not entered.
    {"NulsCutNames", {Sz("T\\k", "C:\\a\0hidden"s, "visible"), Sz("T\\nul\0key\\inner"s, "v", "C:\\inner")}, HKCU, "T",
     3, "C:\\", {}, "+T\\k; 1 T\\k\\C:\\a|visible; +T\\nul; end 0"},
    // Names of up to 259 characters fit the name buffer; a longer one ends
    // the list it is in, and no other; so does data over 4096 bytes at index 0.
    {"LongNamesAndOversizedDataEndTheirListOnly",
     {Sz("T\\k", "v", "C:\\1"), Sz("T\\" + k259, "v", "C:\\259"), Key("T\\" + k259 + "k"), Key("T\\zz"),
      Typed("U\\big", "a", t::kBinary, std::string(5000, 'C')), Sz("U\\big", "b", "C:\\b"), Sz("U\\big\\sub", "v", "C:\\sub"),
      Sz("U\\names", "n", "C:\\n"), Sz("U\\names", n259, "C:\\259"), Sz("U\\names", n259 + "n", "C:\\260"),
      Sz("U\\names", "z", "C:\\z")},
     HKCU, "", 3, "C:\\", {},
     "+T; +T\\k; 2 T\\k\\v|C:\\1; +T\\" + k259 + "; 2 T\\" + k259 + "\\v|C:\\259; +U; +U\\big; +U\\big\\sub; "
     "2 U\\big\\sub\\v|C:\\sub; +U\\names; 2 U\\names\\n|C:\\n; 2 U\\names\\" + n259 + "|C:\\259; end 0"},
    // Over T\a (a\a1, a\a2), T\b and T\c, in an all-roots walk. Pump calls: 1 at
    // the end of HKEY_CLASSES_ROOT's list, 2 before T, 3 before a, 4 before a1.
    // Each level handles one more sub key without its values; each later root
    // still has its first sub key handled.
    {"StopScanLetsEachLevelHandleOneMoreSubKeyWithoutItsValues", kStop, 0, "", 3, "C:\\",
     [](WalkTest& w) { w.registry.AddKey(HKU, "only"); w.pump.At(4, [] { StopScan = true; }); },
     "+T; +T\\a; 2 T\\a\\v|C:\\T\\a; +T\\a\\a1; +T\\b; key HKEY_USERS\\only; end 0"},
    // A stop asked for while no walk runs applies to the next walk: the start
    // key's values are still tested, no sub key and no root is visited; the
    // walk after that one runs in full.
    {"StopSearchBeforeAWalk", kStop, HKCU, "T\\a", 3, "C:\\",
     [](WalkTest& w) {
       w.search->StopSearch();
       w.search->DoSearch();
     },
     "2 T\\a\\v|C:\\T\\a; end 1; 2 T\\a\\v|C:\\T\\a; +T\\a\\a1; 2 T\\a\\a1\\v|C:\\T\\a\\a1; +T\\a\\a2; "
     "2 T\\a\\a2\\v|C:\\T\\a\\a2; end 0"},
    {"StopSearchBeforeAnAllRootsWalk", kStop, 0, "T\\a", 3, "C:\\", [](WalkTest& w) { w.search->StopSearch(); }, "end 1"},
    // The levels already running test their remaining sub keys' names and
    // values without key events, and enter none of them.
    {"StopSearchDuringAWalk", kStop, HKCU, "T", 3, "c", [](WalkTest& w) { w.pump.At(2, [&w] { w.search->StopSearch(); }); },
     "+T\\a; 2 T\\a\\v|C:\\T\\a; 2 T\\a\\a1\\v|C:\\T\\a\\a1; 2 T\\a\\a2\\v|C:\\T\\a\\a2; 2 T\\b\\v|C:\\T\\b; 0 T\\c|*; "
     "2 T\\c\\v|C:\\T\\c; end 1"},
    // An error that escapes a handler ends its key's loop; its number becomes
    // the reason, and the walk winds down as after a stop.
    {"ErrorFromAFoundHandler", kStop, HKCU, "T", 3, "C:\\",
     [](WalkTest& w) {
       w.OnFound([](const std::string& key) {
         if (key == "T\\a\\v") throw engine::SearchError(9, "subscript out of range");
       });
     },
     "+T\\a; found T\\a\\v; found T\\b\\v; found T\\c\\v; end 9"},
    // Deleting a shifts its parent's list, as on the platform: the next index
    // names c, and b is not visited in this walk.
    {"KeyDeletedWhileItsSubKeysAreListed", kStop, HKCU, "T", 3, "C:\\",
     [](WalkTest& w) { w.pump.At(2, [&w] { w.registry.DeleteKey(HKCU, "T\\a"); }); },
     "+T\\a; 2 T\\a\\v|C:\\T\\a; +T\\c; 2 T\\c\\v|C:\\T\\c; end 0"},
    {"KeyDeletedWhileItsValuesAreRead", kStop, HKCU, "T", 3, "C:\\",
     [](WalkTest& w) {
       w.registry.SetString(HKCU, "T\\a", "w", "C:\\second");
       w.OnFound([&w](const std::string&) { w.registry.DeleteKey(HKCU, "T\\a"); });
     },
     "+T\\a; found T\\a\\v; +T\\c; found T\\c\\v; end 0"},
};

class WalkCaseTest : public WalkTest, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(WalkCaseTest, RaisesExactlyTheseEvents) {
  const WalkCase& c = GetParam();
  testsupport::BuildTree(registry, HKCU, "", c.tree);
  Search(c.root, c.start, c.flags, c.text);
  if (c.arrange) c.arrange(*this);
  search->DoSearch();
  EXPECT_EQ(Short(recorder.events), c.events);
}

INSTANTIATE_TEST_SUITE_P(Walks, WalkCaseTest, ::testing::ValuesIn(kWalks),
                         [](const auto& walk) { return std::string(walk.param.name); });

// The data test reads the value's display text: hex pairs for binary data,
// the DWORD form, a string up to its first NUL (the first string of a list),
// "Temporarily unsupported" for every other type; letters compare without
// case in the code page.
TEST_F(WalkTest, DataIsSearchedAsItsDisplayText) {
  // hit: the reported sValue, "" for no hit
  const struct { std::uint32_t type; std::string data, text, hit; } cases[] = {
      {t::kBinary, "\x0A\x1F\xFF", "1f ff", "0A 1F FF"}, {t::kBinary, "C:\\", "C:\\", ""},
      {t::kDword, "\xFF\xFF\xFF\xFF", "0xffffffff(-1)", "0xFFFFFFFF(-1)"},
      {t::kMultiSz, "C:\\one\0C:\\two\0\0"s, "one", "C:\\one"}, {t::kMultiSz, "C:\\one\0C:\\two\0\0"s, "two", ""},
      {t::kSz, "C:\\a.exe\0C:\\b.exe\0"s, "C:\\", "C:\\a.exe"}, {t::kSz, "x\0C:\\b.exe\0"s, "C:\\", ""},
      {t::kSz, "C:\\CAFz\xC3\x89\xC3\xBE\xC3\xBF\0"s, "cafZ\xE9\xDE\x9F", "C:\\CAFz\xC9\xFE\xFF"},  // z É é Þ þ ÿ Ÿ of 1252
      {t::kSz, "\xC3\xB7\0"s, "\xD7", ""},                                      // ÷ is not ×
      {t::kExpandSz, "C:\\x.exe\0"s, "C:\\", ""}, {t::kLink, "x", "UNSUPPORTED", "Temporarily unsupported"},
  };
  for (const auto& c : cases) {
    recorder.events.clear();
    registry.SetValue(HKCU, "T", "v", c.type, c.data);
    Search(HKCU, "T", 2, c.text).DoSearch();
    EXPECT_EQ(Short(recorder.events), c.hit.empty() ? "end 0" : "2 T\\v|" + c.hit + "; end 0") << c.text;
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
  std::string path = "T", expected;
  for (int level = 1; level <= 512; ++level) {
    path += "\\d";
    registry.SetString(HKCU, path, "v", "C:\\" + std::to_string(level));
    expected += "+" + path + "; 2 " + path + "\\v|C:\\" + std::to_string(level) + "; ";
  }
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  EXPECT_EQ(Short(recorder.events), expected + "end 0");
  EXPECT_EQ(pump.Calls(), 512u + 513u);  // once per sub key, once at the end of each list
}

}  // namespace
