// The backup's key and value lines for arbitrary root, sub path and value
// texts read back to what they were made of: the key line is "[", the full
// path up to its last backslash, "]"; the value line names the last
// component and holds the value with every backslash doubled; both lines end
// in CR LF and nothing else is added or escaped.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/backup_reg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string root = provider.ConsumeRandomLengthString(64);
  const std::string subPath = provider.ConsumeRandomLengthString(512);
  const std::string value = provider.ConsumeRemainingBytesAsString();
  const std::string lines = app::BackupLines(root, subPath, value);

  // The split that the removal makes; the name, after the last backslash,
  // holds none to double.
  const std::string full = root + "\\" + subPath;
  const std::size_t last = full.rfind('\\');
  const std::string head = "[" + full.substr(0, last) + "]\r\n\"" + full.substr(last + 1) + "\"=\"";
  bool readsBack = lines.compare(0, head.size(), head) == 0 && lines.size() >= head.size() + 3 &&
                   lines.compare(lines.size() - 3, 3, "\"\r\n") == 0;
  std::string readBack;
  for (std::size_t i = head.size(); readsBack && i < lines.size() - 3; ++i) {
    readBack.push_back(lines[i]);
    if (lines[i] == '\\') readsBack = lines[++i] == '\\';  // a backslash of the data is doubled
  }
  if (!readsBack || readBack != value) {
    std::fprintf(stderr, "BackupLines does not read back: \"%s\"\n", lines.c_str());
    std::abort();
  }
  return 0;
}
