// Records the events of a cRegSearch as one line each, so that whole walks can
// be compared: "key <full name>", "found <lFound> <root>|<key>|<value>",
// "finished <reason>".
#pragma once

#include <string>
#include <vector>

#include "engine/reg_search.h"

namespace testsupport {

struct SearchRecorder {
  std::vector<std::string> events;

  void Attach(engine::cRegSearch& search) {
    search.SearchFound = [this](const std::string& root, const std::string& key, const std::string& value,
                                std::int32_t lFound) {
      events.push_back("found " + std::to_string(lFound) + " " + root + "|" + key + "|" + value);
    };
    search.SearchKeyChanged = [this](const std::string& name) { events.push_back("key " + name); };
    search.SearchFinished = [this](std::int32_t reason) {
      events.push_back("finished " + std::to_string(reason));
    };
  }
};

}  // namespace testsupport
