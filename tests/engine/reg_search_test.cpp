// The registry walk over the substitute registry, in one suite: the order of
// the roots, names the code page cannot hold, a key that vanishes mid-walk,
// the data test, and the limits of names, data and depth. The order of the
// events, the flags, stops and handler errors are held against a reference
// walk in the differential test. Every walk must leave no key handle open.
#include "engine/reg_search.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <map>

#include "engine/registry_access.h"
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

// T\a (a\a1, a\a2), T\b, T\c, each with a value v whose data is C:\ and the key's path.
const std::vector<testsupport::SampleEntry> kStop = {Sz("T\\a", "v", "C:\\T\\a"), Sz("T\\a\\a1", "v", "C:\\T\\a\\a1"),
                                                     Sz("T\\a\\a2", "v", "C:\\T\\a\\a2"), Sz("T\\b", "v", "C:\\T\\b"),
                                                     Sz("T\\c", "v", "C:\\T\\c")};

// Events in short, as Short() writes them.
const WalkCase kWalks[] = {
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
    // A stop asked for while no walk runs applies to the next walk.
    {"StopSearchBeforeAnAllRootsWalk", kStop, 0, "T\\a", 3, "C:\\", [](WalkTest& w) { w.search->StopSearch(); }, "end 1"},
    // The first hit deletes T\a: its second value is not read and its parent's
    // list shifts, as on the platform, so that b is not visited in this walk.
    {"KeyDeletedWhileItsValuesAreRead", kStop, HKCU, "T", 3, "C:\\",
     [](WalkTest& w) {
       w.registry.SetString(HKCU, "T\\a", "w", "C:\\second");
       w.search->SearchFound = [&w](const std::string&, const std::string& key, const std::string&, std::int32_t) {
         w.recorder.events.push_back("found " + key);
         w.registry.DeleteKey(HKCU, "T\\a");
       };
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

// The walk sets no limit on its depth.
TEST_F(WalkTest, TreeOf512LevelsIsWalkedToTheBottom) {
  std::string path = "T";
  for (int level = 1; level <= 512; ++level) {
    path += "\\d";
    registry.SetString(HKCU, path, "v", "C:\\" + path);
  }
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  ASSERT_EQ(recorder.events.size(), 2u * 512 + 1);  // every key entered and its value found
  const Events last(recorder.events.end() - 3, recorder.events.end());
  EXPECT_EQ(Short(last), "+" + path + "; 2 " + path + "\\v|C:\\" + path + "; end 0");
}

}  // namespace
