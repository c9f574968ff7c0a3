// The operations the program needs of a report-view list: rows numbered from 1
// in display order, a first-column text, sub items 1 to 3 for the further
// columns, and a check mark per row.
//
// Row numbers are 32-bit: lists of more than 32,767 rows (a registry full of
// stale entries) are addressed whole by every caller, Select All, Unselect
// All, the backup and the removal alike.
#pragma once

#include <string>

namespace app {

using RowNumber = long;

class ListView {
 public:
  virtual ~ListView() = default;

  virtual RowNumber Count() const = 0;
  // Appends an unchecked row with `text` in its first column; returns its number.
  virtual RowNumber Add(const std::string& text) = 0;
  // Removes a row; the rows after it move up by one.
  virtual void Remove(RowNumber row) = 0;
  virtual void Clear() = 0;

  virtual std::string Text(RowNumber row) const = 0;
  // Text of column i + 1 (i from 1).
  virtual std::string SubItem(RowNumber row, int i) const = 0;
  virtual void SetSubItem(RowNumber row, int i, const std::string& text) = 0;
  virtual bool Checked(RowNumber row) const = 0;
  virtual void SetChecked(RowNumber row, bool checked) = 0;
  // The selected row of a single-selection list, or 0 for none.
  virtual RowNumber SelectedRow() const = 0;
};

// One row of a list, as the callers name it: its number, texts and check mark.
class ListItem {
 public:
  ListItem(ListView& list, RowNumber index) : list_(&list), index_(index) {}

  RowNumber Index() const { return index_; }
  std::string Text() const { return list_->Text(index_); }
  std::string SubItems(int i) const { return list_->SubItem(index_, i); }
  void SubItems(int i, const std::string& text) { list_->SetSubItem(index_, i, text); }
  bool Checked() const { return list_->Checked(index_); }
  void Checked(bool checked) { list_->SetChecked(index_, checked); }

 private:
  ListView* list_;
  RowNumber index_;
};

}  // namespace app
