// A report-view SysListView32 behind the list operations, optionally with a
// check box in front of each row. The parent window forwards the list's
// WM_NOTIFY messages to HandleNotify.
//
// Rows that come and go in quick succession (a scan adds thousands a second,
// a removal deletes as many) are painted together: the first change of a
// burst switches the list's redrawing off, and a one-shot timer switches it
// back on and repaints the list kMinRepaintDelayMs later, or longer when the
// last paint was slow (up to kMaxRepaintDelayMs). Repainting after every row
// would cost far more than the rows themselves, because the control redraws
// its scroll bar on each change of the row count.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/list_view.h"

namespace app {

class Win32ListView final : public ListView {
 public:
  struct Column {
    std::string header;
    int widthPixels;
  };
  struct Options {
    RECT bounds;  // in the parent's client pixels
    int controlId;
    bool checkBoxes;
    std::vector<Column> columns;
    COLORREF background;
  };

  Win32ListView(HWND parent, const Options& options);
  ~Win32ListView() override;
  Win32ListView(const Win32ListView&) = delete;
  Win32ListView& operator=(const Win32ListView&) = delete;

  // How long after the first row change of a burst the list is repainted:
  // kPaintShare times the last paint's duration, within these bounds. Four
  // paints a second show the rows coming in; a paint of the list costs about
  // as much as a thousand registry calls under Wine, so more would slow a
  // scan down by a tenth.
  static constexpr UINT kMinRepaintDelayMs = 250;
  static constexpr UINT kMaxRepaintDelayMs = 1000;
  static constexpr ULONGLONG kPaintShare = 25;

  HWND Handle() const { return window_; }

  // True while row changes wait for the coalesced repaint.
  bool RepaintPending() const { return repaintPending_; }

  RowNumber Count() const override;
  RowNumber Add(const std::string& text) override;
  void Remove(RowNumber row) override;
  void Clear() override;
  std::string Text(RowNumber row) const override;
  std::string SubItem(RowNumber row, int i) const override;
  void SetSubItem(RowNumber row, int i, const std::string& text) override;
  bool Checked(RowNumber row) const override;
  void SetChecked(RowNumber row, bool checked) override;
  RowNumber SelectedRow() const override;

  // Handles a notification from this list; true when it was one, with the
  // value the window procedure returns in *result.
  bool HandleNotify(const NMHDR& header, LRESULT* result);

  // A click on a row. A click on the row's check box is not reported: the
  // control has already inverted the mark, and a second inversion would undo
  // what the user just did.
  std::function<void(RowNumber row)> RowClick;
  // Any click in the list.
  std::function<void()> Click;
  // A request to edit a row's text in place; setting *cancel to 1 refuses it.
  std::function<void(int* cancel)> BeforeLabelEdit;

 private:
  std::string ItemText(RowNumber row, int column) const;
  void RepaintLater();
  void RepaintNow();
  static void CALLBACK OnRepaintTimer(HWND window, UINT message, UINT_PTR id, DWORD time);

  HWND window_ = nullptr;
  bool checkBoxes_ = false;
  bool repaintPending_ = false;
  UINT repaintDelayMs_ = kMinRepaintDelayMs;
};

}  // namespace app
