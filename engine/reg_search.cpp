#include "engine/reg_search.h"

#include <new>

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
  return keyPath.empty() ? name : keyPath + "\\" + name;
}

}  // namespace

cRegSearch::cRegSearch(platform::Registry& registry, platform::MessagePump& pump)
    : registry_(registry), pump_(pump) {}

void cRegSearch::subkey(const std::string& vData) { mvarSubKey = vData; }

void cRegSearch::SearchString(const std::string& vData) {
  mvarSearchString = vData;
  upperSearchString_ = UpperAnsi(vData);
}

void cRegSearch::SearchFlags(std::int32_t vData) { mvarSearchFlags = vData; }

void cRegSearch::RootKey(RootHandle vData) { mvarRootKey = static_cast<std::int32_t>(vData); }

void cRegSearch::StopSearch() { lStopReason = 1; }

void cRegSearch::DoSearch() {
  const bool testValues = (mvarSearchFlags & (SearchValueNames | SearchValueData)) != 0;
  const auto start = static_cast<RootHandle>(mvarRootKey);
  if (start != kAllRoots) {
    if (testValues) SearchValues(start, mvarSubKey);
    SearchSubKeys(start, mvarSubKey);
  } else {
    for (const auto& root : kRootKeys) {
      SearchSubKeys(root.handle, mvarSubKey);
      if (lStopReason != 0) break;
    }
  }

  // The reason is cleared after the event, even when its handler throws.
  struct ClearReason {
    std::int32_t& reason;
    ~ClearReason() { reason = 0; }
  } clear{lStopReason};
  if (SearchFinished) SearchFinished(lStopReason);
}

void cRegSearch::SearchSubKeys(RootHandle root, const std::string& keyPath) {
  if (lStopReason != 0) return;
  OpenedKey key(registry_, root, keyPath);
  if (!key.IsOpen()) return;

  const std::string rootName = RootKeyName(root);
  const bool testValues = (mvarSearchFlags & (SearchValueNames | SearchValueData)) != 0;
  try {
    std::string name;
    std::uint32_t index = 0;
    while (true) {
      pump_.ProcessPending();
      if (!registry_.EnumKey(key.Handle(), index, &name)) break;
      ++index;
      const std::string childPath = JoinPath(keyPath, name);
      if (lStopReason == 0 && SearchKeyChanged) SearchKeyChanged(rootName + "\\" + childPath);
      if (MatchesSearch(name)) RaiseFound(rootName, childPath, "*", kFoundInKeyName);
      if (testValues) SearchValues(root, childPath);
      if (StopScan) return;
      SearchSubKeys(root, childPath);
    }
  } catch (...) {
    lStopReason = CurrentErrorNumber();
  }
}

void cRegSearch::SearchValues(RootHandle root, const std::string& keyPath) {
  if (StopScan) return;
  OpenedKey key(registry_, root, keyPath);
  if (!key.IsOpen()) return;

  const std::string rootName = RootKeyName(root);
  try {
    EnumeratedValue value;
    for (std::uint32_t index = 0; registry_.EnumValue(key.Handle(), index, &value); ++index) {
      const std::string valueKey = keyPath + "\\" + value.name;
      if ((mvarSearchFlags & SearchValueNames) != 0 && MatchesSearch(value.name)) {
        RaiseFound(rootName, valueKey, ValueToText(value.type, value.data), kFoundInValueName);
      }
      if ((mvarSearchFlags & SearchValueData) != 0) {
        const std::string text = ValueToText(value.type, value.data);
        if (MatchesSearch(text)) RaiseFound(rootName, valueKey, text, kFoundInValueData);
      }
    }
  } catch (...) {
    lStopReason = CurrentErrorNumber();
  }
}

bool cRegSearch::MatchesSearch(const std::string& text) const {
  if ((mvarSearchFlags & MatchWholeText) != 0) return UpperAnsi(text) == upperSearchString_;
  return ContainsUpper(text, upperSearchString_);
}

void cRegSearch::RaiseFound(const std::string& rootName, const std::string& key, const std::string& value,
                            std::int32_t lFound) {
  if (SearchFound) SearchFound(rootName, key, value, lFound);
}

}  // namespace engine
