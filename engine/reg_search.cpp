#include "engine/reg_search.h"

#include <array>
#include <new>
#include <optional>
#include <string_view>

#include "engine/search_error.h"
#include "engine/stop_scan.h"
#include "engine/text_compare.h"

namespace engine {
namespace {

// The number of the error being handled, never 0 (0 would read as "no error").
std::int32_t CurrentErrorNumber() {
  try {
    throw;
  } catch (const SearchError& error) {
    return error.Number() != 0 ? error.Number() : kErrorGeneral;
  } catch (const std::bad_alloc&) {
    return kErrorOutOfMemory;
  } catch (...) {
    return kErrorGeneral;
  }
}

std::string JoinPath(const std::string& keyPath, const std::string& name) {
  if (keyPath.empty()) return name;
  std::string path;
  path.reserve(keyPath.size() + 1 + name.size());
  path.append(keyPath).append(1, '\\').append(name);
  return path;
}

// The root names as texts made once, so that a walk does not rebuild the
// name of its root at every level; the empty text for any other value.
const std::string& CachedRootName(RootHandle root) {
  static const std::string empty;
  static const std::array<std::string, kRootKeys.size()> names = [] {
    std::array<std::string, kRootKeys.size()> n;
    for (std::size_t i = 0; i < kRootKeys.size(); ++i) n[i] = kRootKeys[i].name;
    return n;
  }();
  for (std::size_t i = 0; i < kRootKeys.size(); ++i) {
    if (kRootKeys[i].handle == root) return names[i];
  }
  return empty;
}

// The upper-case letters that can occur in the display text of a binary
// value (hex pairs and blanks) and of a DWORD (0x, hex digits, the decimal in
// parentheses with its sign).
constexpr std::string_view kBinaryTextChars = "0123456789ABCDEF ";
constexpr std::string_view kDwordTextChars = "0123456789ABCDEFX()-";
constexpr std::string_view kUnsupportedText = "Temporarily unsupported";

bool AllCharsIn(std::string_view text, std::string_view alphabet) {
  for (char c : text) {
    if (alphabet.find(c) == std::string_view::npos) return false;
  }
  return true;
}

// The display text of one value, built at most once and only when something
// needs it: a hit's event, or a test that cannot be decided on the data.
class LazyValueText {
 public:
  explicit LazyValueText(const EnumeratedValue& value) : value_(value) {}
  const std::string& Get() {
    if (!built_) {
      text_ = ValueToText(value_.type, value_.data);
      built_ = true;
    }
    return text_;
  }

 private:
  const EnumeratedValue& value_;
  std::string text_;
  bool built_ = false;
};

// Whether the search text occurs in the value's display text, without regard
// to case. String data is tested where it lies, up to its first NUL as the
// display text has it; binary and DWORD texts are built only when every
// letter of the search text can occur in them.
bool DataTextContains(const EnumeratedValue& value, std::string_view upperNeedle, LazyValueText& text,
                      const platform::CodePage& codePage) {
  switch (value.type) {
    case platform::reg_type::kSz:
    case platform::reg_type::kMultiSz: {
      std::string_view data(value.data);
      const std::size_t nul = data.find('\0');
      if (nul != std::string_view::npos) data = data.substr(0, nul);
      return ContainsUpper(data, upperNeedle, codePage);
    }
    case platform::reg_type::kBinary:
      return AllCharsIn(upperNeedle, kBinaryTextChars) && ContainsUpper(text.Get(), upperNeedle, codePage);
    case platform::reg_type::kDword:
      return AllCharsIn(upperNeedle, kDwordTextChars) && ContainsUpper(text.Get(), upperNeedle, codePage);
    default:
      return ContainsUpper(kUnsupportedText, upperNeedle, codePage);
  }
}

}  // namespace

cRegSearch::cRegSearch(platform::Registry& registry, platform::MessagePump& pump,
                       const platform::CodePage& codePage)
    : registry_(registry, codePage), pump_(pump), codePage_(codePage) {}

void cRegSearch::subkey(const std::string& vData) { mvarSubKey = vData; }

void cRegSearch::SearchString(const std::string& vData) {
  mvarSearchString = vData;
  upperSearchString_ = UpperAnsi(vData, codePage_);
}

void cRegSearch::SearchFlags(std::int32_t vData) { mvarSearchFlags = vData; }

void cRegSearch::RootKey(RootHandle vData) { mvarRootKey = static_cast<std::int32_t>(vData); }

void cRegSearch::StopSearch() { lStopReason = 1; }

void cRegSearch::DoSearch() {
  const bool testValues = (mvarSearchFlags & (SearchValueNames | SearchValueData)) != 0;
  const auto start = static_cast<RootHandle>(mvarRootKey);
  if (start != kAllRoots) {
    // The start key's values, then its sub keys, through one open. A key
    // that failed to open for its values is not tried again: nothing ran
    // in between that could change that.
    std::optional<OpenedKey> key;
    bool keyDeleted = false;
    if (testValues && !StopScan) {
      key.emplace(registry_, start, mvarSubKey);
      if (key->IsOpen()) keyDeleted = SearchValues(start, mvarSubKey, key->Handle());
    }
    if (lStopReason == 0 && !keyDeleted) {
      if (!key) key.emplace(registry_, start, mvarSubKey);
      if (key->IsOpen()) SearchSubKeys(start, mvarSubKey, key->Handle());
    }
  } else {
    for (const auto& root : kRootKeys) {
      if (lStopReason != 0) break;
      OpenedKey key(registry_, root.handle, mvarSubKey);
      if (key.IsOpen()) SearchSubKeys(root.handle, mvarSubKey, key.Handle());
    }
  }

  // The reason is cleared after the event, even when its handler throws.
  struct ClearReason {
    std::int32_t& reason;
    ~ClearReason() { reason = 0; }
  } clear{lStopReason};
  if (SearchFinished) SearchFinished(lStopReason);
}

void cRegSearch::SearchSubKeys(RootHandle root, const std::string& keyPath, platform::RegHandle key) {
  const std::string& rootName = CachedRootName(root);
  const bool testValues = (mvarSearchFlags & (SearchValueNames | SearchValueData)) != 0;
  try {
    std::string name;
    std::uint32_t index = 0;
    while (true) {
      pump_.ProcessPending();
      if (!registry_.EnumKey(key, index, &name)) break;
      ++index;
      const std::string childPath = JoinPath(keyPath, name);
      if (lStopReason == 0 && SearchKeyChanged) {
        std::string fullName;
        fullName.reserve(rootName.size() + 1 + childPath.size());
        fullName.append(rootName).append(1, '\\').append(childPath);
        SearchKeyChanged(fullName);
      }
      if (MatchesSearch(name)) RaiseFound(rootName, childPath, "*", kFoundInKeyName);
      // The sub key is opened where its values are read, or, when values
      // are not tested or StopScan skips them, where its sub keys are.
      std::optional<OpenedKey> child;
      bool childDeleted = false;
      if (testValues && !StopScan) {
        child.emplace(registry_, root, childPath);
        if (child->IsOpen()) childDeleted = SearchValues(root, childPath, child->Handle());
      }
      if (StopScan) return;
      if (lStopReason != 0 || childDeleted) continue;
      if (!child) child.emplace(registry_, root, childPath);
      if (child->IsOpen()) SearchSubKeys(root, childPath, child->Handle());
    }
  } catch (...) {
    lStopReason = CurrentErrorNumber();
  }
}

bool cRegSearch::SearchValues(RootHandle root, const std::string& keyPath, platform::RegHandle key) {
  const std::string& rootName = CachedRootName(root);
  const bool testNames = (mvarSearchFlags & SearchValueNames) != 0;
  const bool testData = (mvarSearchFlags & SearchValueData) != 0;
  const bool wholeText = (mvarSearchFlags & MatchWholeText) != 0;
  try {
    EnumeratedValue value;
    std::string valueKey;
    long result = platform::reg_result::kSuccess;
    for (std::uint32_t index = 0; (result = registry_.EnumValue(key, index, &value)) == platform::reg_result::kSuccess;
         ++index) {
      // The texts of an event are made only for a hit.
      LazyValueText text(value);
      const auto keyOfValue = [&]() -> const std::string& {
        valueKey.assign(keyPath).append(1, '\\').append(value.name);
        return valueKey;
      };
      if (testNames && MatchesSearch(value.name)) {
        RaiseFound(rootName, keyOfValue(), text.Get(), kFoundInValueName);
      }
      if (testData) {
        const bool hit = wholeText ? MatchesSearch(text.Get())
                                   : DataTextContains(value, upperSearchString_, text, codePage_);
        if (hit) RaiseFound(rootName, keyOfValue(), text.Get(), kFoundInValueData);
      }
    }
    return result == platform::reg_result::kKeyDeleted;
  } catch (...) {
    lStopReason = CurrentErrorNumber();
  }
  return false;
}

bool cRegSearch::MatchesSearch(const std::string& text) const {
  if ((mvarSearchFlags & MatchWholeText) != 0) return UpperAnsi(text, codePage_) == upperSearchString_;
  return ContainsUpper(text, upperSearchString_, codePage_);
}

void cRegSearch::RaiseFound(const std::string& rootName, const std::string& key, const std::string& value,
                            std::int32_t lFound) {
  if (SearchFound) SearchFound(rootName, key, value, lFound);
}

}  // namespace engine
