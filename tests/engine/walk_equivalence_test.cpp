// The walk opens each key once and reads its values and its sub keys through
// that one handle. This test runs it beside a reference walk that follows the
// documented steps literally (every key opened twice: once for its values,
// once for its sub keys) over many seeded random registries, with keys that
// refuse to open, failing enumerations, keys deleted inside handlers, stops
// from the message pump, stop requests and handler errors at random points,
// and requires the same events and message processing calls in the same order.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/reg_search.h"
#include "engine/search_error.h"
#include "engine/stop_scan.h"
#include "engine/text_compare.h"
#include "platform/substitute/memory_registry.h"

namespace {

using engine::RootHandle;
namespace reg_result = platform::reg_result;

// The walk as documented, step by step.
class ReferenceWalk {
 public:
  ReferenceWalk(platform::Registry& registry, platform::MessagePump& pump) : access_(registry), pump_(pump) {}

  void DoSearch() {
    if (rootKey_ != 0) {
      if (flags_ & 3) SearchValues(rootKey_, subkey_);
      SearchSubKeys(rootKey_, subkey_);
    } else {
      for (const auto& root : engine::kRootKeys) {
        SearchSubKeys(root.handle, subkey_);
        if (stopReason_ != 0) break;
      }
    }
    SearchFinished(stopReason_);
    stopReason_ = 0;
  }

  void subkey(const std::string& path) { subkey_ = path; }
  void SearchString(const std::string& text) { searchString_ = text; }
  void SearchFlags(std::int32_t flags) { flags_ = flags; }
  void RootKey(RootHandle root) { rootKey_ = root; }
  void StopSearch() { stopReason_ = 1; }

  std::function<void(const std::string&, const std::string&, const std::string&, std::int32_t)> SearchFound;
  std::function<void(std::int32_t)> SearchFinished;
  std::function<void(const std::string&)> SearchKeyChanged;

 private:
  bool Matches(const std::string& text) const {
    const std::string needle = engine::UpperAnsi(searchString_);
    return (flags_ & 4) ? engine::UpperAnsi(text) == needle : engine::ContainsUpper(text, needle);
  }

  void SearchSubKeys(RootHandle root, const std::string& path) {
    if (stopReason_ != 0) return;
    engine::OpenedKey key(access_, root, path);
    if (!key.IsOpen()) return;
    try {
      std::string name;
      for (std::uint32_t index = 0;;) {
        pump_.ProcessPending();
        if (!access_.EnumKey(key.Handle(), index, &name)) break;
        ++index;
        const std::string child = path.empty() ? name : path + "\\" + name;
        if (stopReason_ == 0) SearchKeyChanged(engine::RootKeyName(root) + "\\" + child);
        if (Matches(name)) SearchFound(engine::RootKeyName(root), child, "*", 0);
        if (flags_ & 3) SearchValues(root, child);
        if (StopScan) return;
        SearchSubKeys(root, child);
      }
    } catch (const engine::SearchError& error) {
      stopReason_ = error.Number();
    }
  }

  void SearchValues(RootHandle root, const std::string& path) {
    if (StopScan) return;
    engine::OpenedKey key(access_, root, path);
    if (!key.IsOpen()) return;
    try {
      engine::EnumeratedValue value;
      for (std::uint32_t index = 0; access_.EnumValue(key.Handle(), index, &value) == reg_result::kSuccess; ++index) {
        const std::string text = engine::ValueToText(value.type, value.data);
        if ((flags_ & 1) && Matches(value.name)) SearchFound(engine::RootKeyName(root), path + "\\" + value.name, text, 1);
        if ((flags_ & 2) && Matches(text)) SearchFound(engine::RootKeyName(root), path + "\\" + value.name, text, 2);
      }
    } catch (const engine::SearchError& error) {
      stopReason_ = error.Number();
    }
  }

  engine::RegistryAccess access_;
  platform::MessagePump& pump_;
  RootHandle rootKey_ = 0;
  std::string subkey_, searchString_;
  std::int32_t flags_ = 0, stopReason_ = 0;
};

template <typename T>
const T& Pick(std::mt19937& rng, const std::vector<T>& items) {
  return items[rng() % items.size()];
}

struct Key {
  RootHandle root;
  std::string path;
};

std::string ParentPath(const std::string& path) {
  const std::size_t cut = path.rfind('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

// A random tree below one root: values of every kind, keys that refuse to
// open (a name the code page cannot hold among them) or fail enumeration.
void Grow(platform::MemoryRegistry& r, std::mt19937& rng, RootHandle root, const std::string& path, int depth,
          std::vector<Key>* keys) {
  static const std::vector<std::string> names = {"a", "Path", "C:x", "ff", "K", "b", "Temporarily", "\xCE\xA9"};
  static const std::vector<std::string> data = {std::string("C:x.exe\0", 8), std::string("", 0), "\xff\x01",
                                                std::string("a\0b", 3), "1)", "0x"};
  static const std::vector<std::uint32_t> types = {1, 1, 1, 2, 3, 4, 7, 0};
  static const std::vector<long> errors = {reg_result::kMoreData, reg_result::kAccessDenied, 87};
  keys->push_back({root, path});
  r.AddKey(root, path);
  for (unsigned v = rng() % 4; v > 0; --v) r.SetValue(root, path, Pick(rng, names), Pick(rng, types), Pick(rng, data));
  if (rng() % 12 == 0) r.RefuseOpen(root, path);
  if (rng() % 12 == 0) r.FailValueEnumeration(root, path, Pick(rng, errors), rng() % 3);
  if (rng() % 12 == 0) r.FailKeyEnumeration(root, path, Pick(rng, errors), rng() % 3);
  if (depth == 4) return;
  for (unsigned c = rng() % (depth < 2 ? 4 : 2); c > 0; --c) {
    const std::string name = Pick(rng, names) + std::to_string(c);
    Grow(r, rng, root, path.empty() ? name : path + "\\" + name, depth + 1, keys);
  }
}

// What happened in one walk, and the random interventions that made it.
struct RecordedRun : platform::MessagePump {
  RecordedRun(std::uint32_t seed, platform::MemoryRegistry& r, const std::vector<Key>& k)
      : rng(seed), registry(r), keys(k), odds(std::vector<unsigned>{100, 40, 600}[seed % 3]) {}

  // Each call and event has a few chances in `odds` of each intervention.
  void ProcessPending() override {
    log.push_back("pump");
    const unsigned roll = rng() % odds;
    if (roll < 2) StopScan = true;
    if (roll == 2) stopSearch();
    if (roll == 3) Delete(Pick(rng, keys));
  }
  void Event(const std::string& text, const Key& key, bool valuesPass) {
    log.push_back(text);
    const unsigned roll = rng() % odds;
    if (roll < (valuesPass ? 6u : 3u)) {
      Delete(key);  // the key the event is about
      ownKeyDeletedInValues += valuesPass;
    }
    if (roll == 6) Delete({key.root, ParentPath(key.path)});
    if (roll == 7) stopSearch();
    if (roll == 8) throw engine::SearchError(static_cast<std::int32_t>(3 + rng() % 90), "handler");
  }
  void Delete(const Key& key) { registry.DeleteKey(key.root, key.path); }

  template <typename Walk>
  void Attach(Walk& walk) {
    walk.SearchFound = [this](const std::string& root, const std::string& key, const std::string& value, std::int32_t found) {
      const Key of = {engine::RootKeyFromName(root), found == 0 ? key : ParentPath(key)};
      Event(root + "|" + key + "|" + value + "|" + std::to_string(found), of, found != 0);
    };
    walk.SearchKeyChanged = [this](const std::string& name) {
      const std::size_t cut = name.find('\\');
      Event("key " + name, {engine::RootKeyFromName(name.substr(0, cut)), name.substr(cut + 1)}, false);
    };
    walk.SearchFinished = [this](std::int32_t reason) { log.push_back("finished " + std::to_string(reason)); };
    stopSearch = [&walk] { walk.StopSearch(); };
  }

  std::mt19937 rng;
  platform::MemoryRegistry& registry;
  const std::vector<Key>& keys;
  const unsigned odds;
  std::function<void()> stopSearch;
  std::vector<std::string> log;
  int ownKeyDeletedInValues = 0;
};

// One seed's registry, start key, parameters and interventions, walked twice
// by `Walk` (the second time after StopScan is cleared); the log of both.
// The substitute fails a key deleted under an open handle as the platform
// does (enumeration through the handle with "key deleted", a new open with
// "file not found"); the single open relies on it, and a substitute that
// behaved otherwise would set the two walks apart.
template <typename Walk>
std::vector<std::string> Record(std::uint32_t seed, int* ownKeyDeletions = nullptr) {
  std::mt19937 rng(seed);
  platform::MemoryRegistry registry;
  std::vector<Key> keys = {{engine::kRootKeys[0].handle, ""}};
  for (const auto& root : engine::kRootKeys) {
    if (rng() % 3 != 0) Grow(registry, rng, root.handle, "", 0, &keys);
  }
  RecordedRun run(seed * 7919u, registry, keys);
  Walk walk(registry, run);
  run.Attach(walk);
  const Key start = rng() % 2 ? Key{0, ""} : Pick(rng, keys);
  walk.RootKey(start.root);
  walk.subkey(start.path);
  walk.SearchString(Pick(rng, std::vector<std::string>{"C:", "", "a", "ff", "0X", "Temporarily unsupported", "1)"}));
  walk.SearchFlags(static_cast<std::int32_t>(rng() % 8));
  if (rng() % 10 == 0) walk.StopSearch();
  StopScan = rng() % 10 == 0;
  walk.DoSearch();
  StopScan = false;
  walk.DoSearch();
  EXPECT_EQ(registry.OpenHandleCount(), 0u) << "seed " << seed;
  if (ownKeyDeletions) *ownKeyDeletions += run.ownKeyDeletedInValues;
  return std::move(run.log);
}

TEST(WalkEquivalence, OneOpenPerKeyGivesTheReferenceEventsAndMessageProcessing) {
  int ownKeyDeletions = 0;
  std::size_t entries = 0;
  for (std::uint32_t seed = 1; seed <= 1000; ++seed) {
    const std::vector<std::string> expected = Record<ReferenceWalk>(seed);
    const std::vector<std::string> actual = Record<engine::cRegSearch>(seed, &ownKeyDeletions);
    std::size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
    ASSERT_EQ(expected, actual) << "seed " << seed << ", first difference at entry " << i;
    entries += actual.size();
  }
  // The trees must have exercised what the single open changes.
  EXPECT_GT(ownKeyDeletions, 30);
  EXPECT_GT(entries, 15000u);
}

}  // namespace
