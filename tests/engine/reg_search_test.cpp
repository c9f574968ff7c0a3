#include "engine/reg_search.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/search_error.h"
#include "engine/stop_scan.h"
#include "tests/support/memory_tree.h"
#include "tests/support/search_test.h"

using ::testing::ElementsAre;
using ::testing::IsSupersetOf;

namespace {

constexpr std::uint32_t HKCR = 0x80000000u;
constexpr std::uint32_t HKCU = 0x80000001u;
constexpr std::uint32_t HKLM = 0x80000002u;
constexpr std::uint32_t HKU = 0x80000003u;

using RegSearchTest = testsupport::SearchTest;

TEST_F(RegSearchTest, WalksDepthFirstWithValuesBeforeSubtree) {
  registry.SetString(HKCU, "T", "C:\\start.exe", "x");
  registry.SetString(HKCU, "T\\b", "v", "C:\\b.exe");
  registry.SetString(HKCU, "T\\b\\c", "v", "C:\\c.exe");
  registry.SetString(HKCU, "T\\a", "v", "C:\\a.exe");
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events,
              ElementsAre("found 1 HKEY_CURRENT_USER|T\\C:\\start.exe|x",  // start key's values first
                          "key HKEY_CURRENT_USER\\T\\a", "found 2 HKEY_CURRENT_USER|T\\a\\v|C:\\a.exe",
                          "key HKEY_CURRENT_USER\\T\\b", "found 2 HKEY_CURRENT_USER|T\\b\\v|C:\\b.exe",
                          "key HKEY_CURRENT_USER\\T\\b\\c", "found 2 HKEY_CURRENT_USER|T\\b\\c\\v|C:\\c.exe",
                          "finished 0"));
}

TEST_F(RegSearchTest, ProcessesMessagesOncePerSubKeyAndOnceAtEachListEnd) {
  registry.AddKey(HKCU, "T\\a\\x");
  registry.AddKey(HKCU, "T\\b");
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  // T lists a and b and ends (3); a lists x and ends (2); x ends (1); b ends (1).
  EXPECT_EQ(pump.Calls(), 7u);
}

TEST_F(RegSearchTest, ValueMatchingBothNameAndDataIsReportedTwice) {
  registry.SetString(HKCU, "T\\k", "C:\\A.EXE", "C:\\A.EXE");
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAre("key HKEY_CURRENT_USER\\T\\k",
                                           "found 1 HKEY_CURRENT_USER|T\\k\\C:\\A.EXE|C:\\A.EXE",
                                           "found 2 HKEY_CURRENT_USER|T\\k\\C:\\A.EXE|C:\\A.EXE", "finished 0"));
}

TEST_F(RegSearchTest, FlagsChooseWhatIsTested) {
  registry.SetString(HKCU, "T\\k", "C:\\name", "C:\\data");
  Search(HKCU, "T", 1, "c:\\").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAre("key HKEY_CURRENT_USER\\T\\k",
                                           "found 1 HKEY_CURRENT_USER|T\\k\\C:\\name|C:\\data", "finished 0"));
  recorder.events.clear();
  Search(HKCU, "T", 2, "c:\\").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAre("key HKEY_CURRENT_USER\\T\\k",
                                           "found 2 HKEY_CURRENT_USER|T\\k\\C:\\name|C:\\data", "finished 0"));
  // Neither bit: key names are still tested, values are not read at all.
  recorder.events.clear();
  Search(HKCU, "T", 0, "K").DoSearch();
  EXPECT_THAT(recorder.events,
              ElementsAre("key HKEY_CURRENT_USER\\T\\k", "found 0 HKEY_CURRENT_USER|T\\k|*", "finished 0"));
}

TEST_F(RegSearchTest, MatchWholeTextComparesWholeTextWithoutCase) {
  registry.AddKey(HKCU, "T\\ABC");
  registry.AddKey(HKCU, "T\\abcd");
  Search(HKCU, "T", 4, "abc").DoSearch();
  EXPECT_EQ(recorder.Count("found"), 1u);
  EXPECT_THAT(recorder.events, IsSupersetOf({"found 0 HKEY_CURRENT_USER|T\\ABC|*"}));
  recorder.events.clear();
  Search(HKCU, "T", 0, "abc").DoSearch();
  EXPECT_EQ(recorder.Count("found 0"), 2u);
}

TEST_F(RegSearchTest, CaseFoldingCoversAccentedLetters) {
  registry.SetString(HKCU, "T\\k", "v", "C:\\CAF\xC3\x89");  // CAFÉ
  Search(HKCU, "T", 2, "caf\xE9").DoSearch();                 // "café" in Windows-1252
  EXPECT_EQ(recorder.Count("found 2"), 1u);
}

TEST_F(RegSearchTest, EmptySearchTextMatchesEverything) {
  registry.SetDword(HKCU, "T\\k", "n", 1);
  Search(HKCU, "T", 3, "").DoSearch();
  EXPECT_THAT(recorder.events,
              ElementsAre("key HKEY_CURRENT_USER\\T\\k", "found 0 HKEY_CURRENT_USER|T\\k|*",
                          "found 1 HKEY_CURRENT_USER|T\\k\\n|0x00000001(1)",
                          "found 2 HKEY_CURRENT_USER|T\\k\\n|0x00000001(1)", "finished 0"));
}

TEST_F(RegSearchTest, ValuesOfARootStartKeyGetALeadingBackslash) {
  registry.SetString(HKCU, "", "C:\\top", "1");
  Search(HKCU, "", 1, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAre("found 1 HKEY_CURRENT_USER|\\C:\\top|1", "finished 0"));
}

TEST_F(RegSearchTest, ExpandStringDataIsNeverADataHit) {
  registry.SetValue(HKCU, "T\\k", "e", platform::reg_type::kExpandSz, std::string("C:\\x.exe\0", 9));
  registry.SetValue(HKCU, "T\\k", "C:\\e", platform::reg_type::kExpandSz, std::string("C:\\x.exe\0", 9));
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAre("key HKEY_CURRENT_USER\\T\\k",
                                           "found 1 HKEY_CURRENT_USER|T\\k\\C:\\e|Temporarily unsupported",
                                           "finished 0"));
}

TEST_F(RegSearchTest, KeyThatCannotBeOpenedIsSkippedWithItsSubtree) {
  registry.SetString(HKCU, "T\\locked", "v", "C:\\x");
  registry.SetString(HKCU, "T\\locked\\inner", "v", "C:\\y");
  registry.SetString(HKCU, "T\\open", "v", "C:\\z");
  registry.RefuseOpen(HKCU, "T\\locked");
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events,
              ElementsAre("key HKEY_CURRENT_USER\\T\\locked", "key HKEY_CURRENT_USER\\T\\open",
                          "found 2 HKEY_CURRENT_USER|T\\open\\v|C:\\z", "finished 0"));
}

TEST_F(RegSearchTest, OversizedDataAtIndexZeroEndsTheValuesButNotTheSubKeys) {
  registry.SetValue(HKCU, "T\\k", "a", platform::reg_type::kBinary, std::string(5000, 'C'));
  registry.SetString(HKCU, "T\\k", "b", "C:\\later.exe");
  registry.SetString(HKCU, "T\\k\\sub", "v", "C:\\sub.exe");
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAre("key HKEY_CURRENT_USER\\T\\k", "key HKEY_CURRENT_USER\\T\\k\\sub",
                                           "found 2 HKEY_CURRENT_USER|T\\k\\sub\\v|C:\\sub.exe", "finished 0"));
}

TEST_F(RegSearchTest, KeyNameOutsideTheCodePageIsTestedButNotEntered) {
  registry.SetString(HKCU, "T\\x\xCE\xA9", "v", "C:\\omega.exe");  // "xΩ"
  registry.AddKey(HKCU, "T\\x\xCE\xA9\\child");
  registry.SetString(HKCU, "T\\x\xC3\xA9", "v", "C:\\e.exe");  // "xé" is in the code page
  Search(HKCU, "T", 3, "").DoSearch();
  EXPECT_THAT(recorder.events,
              ElementsAre("key HKEY_CURRENT_USER\\T\\x\xE9", "found 0 HKEY_CURRENT_USER|T\\x\xE9|*",
                          "found 1 HKEY_CURRENT_USER|T\\x\xE9\\v|C:\\e.exe",
                          "found 2 HKEY_CURRENT_USER|T\\x\xE9\\v|C:\\e.exe", "key HKEY_CURRENT_USER\\T\\x?",
                          "found 0 HKEY_CURRENT_USER|T\\x?|*", "finished 0"));
}

TEST_F(RegSearchTest, StartKeyThatDoesNotExistGivesOnlyTheEnd) {
  Search(HKCU, "No\\Such\\Key", 3, "").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAre("finished 0"));
}

TEST_F(RegSearchTest, AllRootsWalkVisitsEachRootInTableOrderAndSkipsOneThatCannotOpen) {
  registry.SetString(HKCR, "cr", "v", "C:\\1");
  registry.SetString(HKCU, "cu", "v", "C:\\2");
  registry.SetString(HKLM, "lm", "v", "C:\\3");
  registry.SetString(HKU, "u\\Software", "v", "C:\\2");
  registry.SetString(0x80000006u, "dyn", "v", "C:\\7");
  registry.SetString(HKCU, "", "C:\\rootvalue", "untested");  // values of the roots themselves are not tested
  registry.RefuseOpen(HKLM, "");
  Search(0, "", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events,
              ElementsAre("key HKEY_CLASSES_ROOT\\cr", "found 2 HKEY_CLASSES_ROOT|cr\\v|C:\\1",
                          "key HKEY_CURRENT_USER\\cu", "found 2 HKEY_CURRENT_USER|cu\\v|C:\\2", "key HKEY_USERS\\u",
                          "key HKEY_USERS\\u\\Software", "found 2 HKEY_USERS|u\\Software\\v|C:\\2",
                          "key HKEY_DYN_DATA\\dyn", "found 2 HKEY_DYN_DATA|dyn\\v|C:\\7", "finished 0"));
}

TEST_F(RegSearchTest, EnumerationFailureAtEveryIndexEndsTheList) {
  registry.AddKey(HKCU, "T\\Perflib\\009");
  registry.SetString(HKCU, "T\\Perflib\\009", "v", "C:\\x");
  registry.FailKeyEnumeration(HKCU, "T\\Perflib\\009", platform::reg_result::kInvalidHandle);
  registry.FailValueEnumeration(HKCU, "T\\Perflib\\009", platform::reg_result::kInvalidHandle);
  registry.AddKey(HKCU, "T\\Zeta");
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events, ElementsAre("key HKEY_CURRENT_USER\\T\\Perflib",
                                           "key HKEY_CURRENT_USER\\T\\Perflib\\009", "key HKEY_CURRENT_USER\\T\\Zeta",
                                           "finished 0"));
}

// --- stopping ---

class RegSearchStopTest : public RegSearchTest {
 protected:
  // T\a (with a\a1, a\a2), T\b, T\c; every key holds a value that hits.
  void SetUp() override {
    RegSearchTest::SetUp();
    for (const char* key : {"T\\a", "T\\a\\a1", "T\\a\\a2", "T\\b", "T\\c"}) {
      registry.SetString(HKCU, key, "v", std::string("C:\\") + key);
    }
  }
};

TEST_F(RegSearchStopTest, StopScanLetsEachLevelFinishOneMoreSubKeyWithoutValues) {
  // Call 1: T before a; call 2: a before a1. Set StopScan there.
  pump.At(2, [] { StopScan = true; });
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events,
              ElementsAre("key HKEY_CURRENT_USER\\T\\a", "found 2 HKEY_CURRENT_USER|T\\a\\v|C:\\T\\a",
                          "key HKEY_CURRENT_USER\\T\\a\\a1",  // handled, its values not tested, not entered
                          "key HKEY_CURRENT_USER\\T\\b",        // the level above handles one more too
                          "finished 0"));
}

TEST_F(RegSearchStopTest, StopScanInAnAllRootsWalkStillTouchesEachLaterRoot) {
  registry.AddKey(HKLM, "first");
  registry.AddKey(HKLM, "second");
  registry.AddKey(HKU, "only");
  pump.At(3, [] { StopScan = true; });  // inside HKCU's T, before its sub key a
  Search(0, "", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events,
              ElementsAre("key HKEY_CURRENT_USER\\T", "key HKEY_CURRENT_USER\\T\\a",
                          "key HKEY_LOCAL_MACHINE\\first", "key HKEY_USERS\\only", "finished 0"));
}

TEST_F(RegSearchStopTest, StopSearchDuringAWalkNamesAndTestsRemainingSiblingsButEntersNone) {
  pump.At(2, [this] { search->StopSearch(); });  // inside a, before a1
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  EXPECT_THAT(recorder.events,
              ElementsAre("key HKEY_CURRENT_USER\\T\\a", "found 2 HKEY_CURRENT_USER|T\\a\\v|C:\\T\\a",
                          // no key events from now on, but values are still tested
                          "found 2 HKEY_CURRENT_USER|T\\a\\a1\\v|C:\\T\\a\\a1",
                          "found 2 HKEY_CURRENT_USER|T\\a\\a2\\v|C:\\T\\a\\a2",
                          "found 2 HKEY_CURRENT_USER|T\\b\\v|C:\\T\\b", "found 2 HKEY_CURRENT_USER|T\\c\\v|C:\\T\\c",
                          "finished 1"));
}

TEST_F(RegSearchStopTest, StopSearchBeforeAWalkAppliesToTheNextOneOnly) {
  Search(HKCU, "T\\a", 3, "C:\\").StopSearch();
  search->DoSearch();
  // The start key's values are still tested; no sub key is visited.
  EXPECT_THAT(recorder.events, ElementsAre("found 2 HKEY_CURRENT_USER|T\\a\\v|C:\\T\\a", "finished 1"));

  recorder.events.clear();
  search->DoSearch();  // the reason was cleared at the end of the last walk
  EXPECT_EQ(recorder.Count("key "), 2u);
  EXPECT_EQ(recorder.events.back(), "finished 0");

  recorder.events.clear();
  search->RootKey(0);
  search->StopSearch();
  search->DoSearch();
  EXPECT_THAT(recorder.events, ElementsAre("finished 1"));
}

TEST_F(RegSearchStopTest, ErrorThrownByAHandlerBecomesTheReason) {
  Search(HKCU, "T", 3, "C:\\");
  int found = 0;
  search->SearchFound = [&](const std::string&, const std::string& key, const std::string&, std::int32_t) {
    recorder.events.push_back("found " + key);
    if (++found == 1) throw engine::SearchError(9, "subscript out of range");
  };
  search->DoSearch();
  // The error ends a's values; a is then not entered, b and c are named
  // without key events and their values tested.
  EXPECT_THAT(recorder.events, ElementsAre("key HKEY_CURRENT_USER\\T\\a", "found T\\a\\v", "found T\\b\\v",
                                           "found T\\c\\v", "finished 9"));
}

TEST_F(RegSearchStopTest, ErrorEscapingAKeyChangedHandlerEndsThatKeysLoop) {
  Search(HKCU, "T", 3, "C:\\");
  search->SearchKeyChanged = [&](const std::string& name) {
    recorder.events.push_back("key " + name);
    if (name.size() > 22) throw std::runtime_error("handler failed");  // at T\a\a1
  };
  search->DoSearch();
  EXPECT_THAT(recorder.events,
              ElementsAre("key HKEY_CURRENT_USER\\T\\a", "found 2 HKEY_CURRENT_USER|T\\a\\v|C:\\T\\a",
                          "key HKEY_CURRENT_USER\\T\\a\\a1",  // a's loop ends here
                          "found 2 HKEY_CURRENT_USER|T\\b\\v|C:\\T\\b", "found 2 HKEY_CURRENT_USER|T\\c\\v|C:\\T\\c",
                          "finished 5"));
}

TEST_F(RegSearchStopTest, KeyDeletedWhileBeingWalkedEndsItsListQuietly) {
  pump.At(2, [this] { registry.DeleteKey(HKCU, "T\\a"); });
  Search(HKCU, "T", 3, "C:\\").DoSearch();
  // Deleting a shifts the indexes of its parent's list, as on the platform:
  // the next index names c, and b is not visited in this walk.
  EXPECT_THAT(recorder.events, ElementsAre("key HKEY_CURRENT_USER\\T\\a", "found 2 HKEY_CURRENT_USER|T\\a\\v|C:\\T\\a",
                                           "key HKEY_CURRENT_USER\\T\\c", "found 2 HKEY_CURRENT_USER|T\\c\\v|C:\\T\\c",
                                           "finished 0"));
}

}  // namespace
