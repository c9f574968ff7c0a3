#include "app/error_list.h"

namespace app {

void AddFinding(ListView& list, const ScanFinding& finding) {
  ListItem row(list, list.Add(finding.errorType));
  row.SubItems(1, finding.rootPath);
  row.SubItems(2, finding.subPath);
  row.SubItems(3, finding.invalidValue);
}

ScanFinding FindingAt(const ListView& list, RowNumber row) {
  return {list.Text(row), list.SubItem(row, 1), list.SubItem(row, 2), list.SubItem(row, 3)};
}

void SelectAll(ListView& list) {
  const RowNumber count = list.Count();
  for (RowNumber i = 1; i <= count; ++i) list.SetChecked(i, true);
}

void UnselectAll(ListView& list) {
  const RowNumber count = list.Count();
  for (RowNumber i = 1; i <= count; ++i) list.SetChecked(i, false);
}

void ToggleRow(ListView& list, RowNumber row) {
  if (row < 1 || row > list.Count()) return;
  list.SetChecked(row, !list.Checked(row));
}

}  // namespace app
