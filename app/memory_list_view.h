// A list with no window behind it: the rows in memory, for the window-free
// logic and its native tests.
#pragma once

#include <string>
#include <vector>

#include "app/list_view.h"

namespace app {

class MemoryListView final : public ListView {
 public:
  explicit MemoryListView(int columns = 4) : columns_(columns) {}

  RowNumber Count() const override { return static_cast<RowNumber>(rows_.size()); }
  RowNumber Add(const std::string& text) override {
    Row row;
    row.texts.assign(static_cast<std::size_t>(columns_), std::string());
    row.texts[0] = text;
    rows_.push_back(std::move(row));
    return Count();
  }
  void Remove(RowNumber row) override {
    if (Valid(row)) rows_.erase(rows_.begin() + (row - 1));
    if (selected_ > Count()) selected_ = 0;
  }
  void Clear() override {
    rows_.clear();
    selected_ = 0;
  }
  std::string Text(RowNumber row) const override { return Valid(row) ? At(row).texts[0] : std::string(); }
  std::string SubItem(RowNumber row, int i) const override {
    return Valid(row) && i >= 1 && i < columns_ ? At(row).texts[static_cast<std::size_t>(i)] : std::string();
  }
  void SetSubItem(RowNumber row, int i, const std::string& text) override {
    if (Valid(row) && i >= 1 && i < columns_) rows_[static_cast<std::size_t>(row - 1)].texts[static_cast<std::size_t>(i)] = text;
  }
  bool Checked(RowNumber row) const override { return Valid(row) && At(row).checked; }
  void SetChecked(RowNumber row, bool checked) override {
    if (Valid(row)) rows_[static_cast<std::size_t>(row - 1)].checked = checked;
  }
  RowNumber SelectedRow() const override { return selected_; }
  void Select(RowNumber row) { selected_ = Valid(row) ? row : 0; }

 private:
  struct Row {
    std::vector<std::string> texts;
    bool checked = false;
  };
  bool Valid(RowNumber row) const { return row >= 1 && row <= Count(); }
  const Row& At(RowNumber row) const { return rows_[static_cast<std::size_t>(row - 1)]; }

  int columns_;
  std::vector<Row> rows_;
  RowNumber selected_ = 0;
};

}  // namespace app
