// The error list: one row per finding of the current scan, with a check mark
// the user sets to choose what is repaired.
#pragma once

#include <string>

#include "app/list_view.h"

namespace app {

// One finding, one row: error type, root, sub path (key path, and for a value
// "\" and its name) and the value's text ("*" for a key name).
struct ScanFinding {
  std::string errorType;
  std::string rootPath;
  std::string subPath;
  std::string invalidValue;
};

// Column headers and widths in twips, left to right.
struct ErrorListColumn {
  const char* header;
  int widthTwips;
};
constexpr ErrorListColumn kErrorListColumns[] = {
    {"Error Type", 1800}, {"Root Path", 2000}, {"Sub Path", 2400}, {"Invalid Value", 1850}};

// Appends an unchecked row: text = error type, then sub items 1, 2 and 3.
void AddFinding(ListView& list, const ScanFinding& finding);
ScanFinding FindingAt(const ListView& list, RowNumber row);

void SelectAll(ListView& list);
void UnselectAll(ListView& list);
// A click on a row inverts its check mark.
void ToggleRow(ListView& list, RowNumber row);
// A request to edit a row's text in place is always refused.
inline void RefuseEdit(int* cancel) { *cancel = 1; }

}  // namespace app
