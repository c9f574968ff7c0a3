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

namespace {

void Fail(const char* what, const std::string& lines) {
  std::fprintf(stderr, "BackupLines property broken: %s\n  lines \"%s\"\n", what, lines.c_str());
  std::abort();
}

// Reads `expected` at `at` and moves past it; false when it is not there.
bool Expect(const std::string& text, std::size_t* at, const std::string& expected) {
  if (text.compare(*at, expected.size(), expected) != 0) return false;
  *at += expected.size();
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string root = provider.ConsumeRandomLengthString(64);
  const std::string subPath = provider.ConsumeRandomLengthString(512);
  const std::string value = provider.ConsumeRemainingBytesAsString();
  const std::string lines = app::BackupLines(root, subPath, value);

  // The split that the removal makes: the full path's last backslash.
  const std::string full = root + "\\" + subPath;
  const std::size_t last = full.rfind('\\');
  const std::string key = full.substr(0, last);
  const std::string name = full.substr(last + 1);

  std::size_t at = 0;
  if (!Expect(lines, &at, "[" + key + "]\r\n")) Fail("key line is not the path before the last backslash", lines);
  // The name follows the last backslash, so it never holds one to double.
  if (!Expect(lines, &at, "\"" + name + "\"=\"")) Fail("name field is not the last component", lines);
  if (lines.size() < at + 3 || lines.compare(lines.size() - 3, 3, "\"\r\n") != 0) {
    Fail("value line does not end in a quote and CR LF", lines);
  }
  const std::string written = lines.substr(at, lines.size() - 3 - at);
  std::string readBack;
  for (std::size_t i = 0; i < written.size(); ++i) {
    readBack.push_back(written[i]);
    if (written[i] == '\\') {
      if (i + 1 >= written.size() || written[i + 1] != '\\') Fail("a backslash of the data is not doubled", lines);
      ++i;
    }
  }
  if (readBack != value) Fail("data does not read back as the value", lines);
  return 0;
}
