// cRegSearch walks the registry below a start key, or below all seven roots,
// depth first, and reports through three events: every hit of the search text
// in a key name, value name or value data text (SearchFound), every key it
// enters (SearchKeyChanged) and the end of the walk (SearchFinished).
//
// The walk runs synchronously inside DoSearch on the user-interface thread and
// processes pending window messages once per sub key, so handlers of clicks
// and timer ticks run nested inside it. Those handlers reach the walk through
// the program-wide StopScan flag, or through StopSearch.
//
// Each key is opened once: its values and its sub keys are read through the
// same handle. A key that a handler deletes while its values are read is not
// walked further (its value enumeration ends with "key deleted"), just as a
// second open of it would have failed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/registry_access.h"
#include "engine/root_keys.h"
#include "engine/text_compare.h"
#include "platform/code_page.h"
#include "platform/message_pump.h"
#include "platform/registry.h"

namespace engine {

// Bits of SearchFlags.
constexpr std::int32_t SearchValueNames = 1;
constexpr std::int32_t SearchValueData = 2;
constexpr std::int32_t MatchWholeText = 4;

// lFound of SearchFound: where the search text was found.
constexpr std::int32_t kFoundInKeyName = 0;
constexpr std::int32_t kFoundInValueName = 1;
constexpr std::int32_t kFoundInValueData = 2;

class cRegSearch {
 public:
  // Events, in their order of declaration. A handler may throw: the error
  // ends the walk of the current key and its number becomes lReason.
  std::function<void(const std::string& sRootKey, const std::string& sKey, const std::string& sValue,
                     std::int32_t lFound)>
      SearchFound;
  std::function<void(std::int32_t lReason)> SearchFinished;
  std::function<void(const std::string& sFullKeyName)> SearchKeyChanged;

  // Texts are compared and paths split under `codePage`, the system ANSI code page.
  cRegSearch(platform::Registry& registry, platform::MessagePump& pump,
             const platform::CodePage& codePage = DefaultCodePage());
  cRegSearch(const cRegSearch&) = delete;
  cRegSearch& operator=(const cRegSearch&) = delete;

  // Write-only properties.
  void subkey(const std::string& vData);  // start key under the root; "" is the root
  void SearchString(const std::string& vData);
  void SearchFlags(std::int32_t vData);
  void RootKey(RootHandle vData);  // a root handle value, or 0 for all seven roots

  // Walks, then raises SearchFinished with the stop reason: 0 when the walk
  // ran to its end (also when StopScan cut it short), 1 when StopSearch asked
  // for a stop, otherwise the number of the error that ended it.
  void DoSearch();
  // Asks for a stop; a stop asked for while no walk runs applies to the next one.
  void StopSearch();

 private:
  // The sub-key pass over an open key: each sub key is reported, tested,
  // opened once for its values and its own sub keys, and closed. The caller
  // opens and closes `key`, and calls this only while lStopReason is 0.
  void SearchSubKeys(RootHandle root, const std::string& keyPath, platform::RegHandle key);
  // The values pass over an open key; true when the key was deleted while
  // its values were read, so that its sub keys must not be walked.
  bool SearchValues(RootHandle root, const std::string& keyPath, platform::RegHandle key);
  bool MatchesSearch(const std::string& text) const;
  void RaiseFound(const std::string& rootName, const std::string& key, const std::string& value,
                  std::int32_t lFound);

  RegistryAccess registry_;
  platform::MessagePump& pump_;
  const platform::CodePage& codePage_;

  std::int32_t mvarRootKey = 0;  // held as the unsigned table value
  std::int32_t mvarSearchFlags = 0;
  std::string mvarSearchString;
  std::string mvarSubKey;
  std::int32_t lStopReason = 0;

  std::string upperSearchString_;  // mvarSearchString in upper case, for matching
};

}  // namespace engine
