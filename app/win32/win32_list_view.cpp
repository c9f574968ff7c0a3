#include "app/win32/win32_list_view.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

namespace app {
namespace {

int ToIndex(RowNumber row) { return static_cast<int>(row - 1); }

// The repaint timer lives on the list's own window and is found again
// through a window property, so a timer message that outlives the object
// finds no property (the window is gone with it) instead of a dangling
// pointer.
constexpr UINT_PTR kRepaintTimerId = 0x48535750;
constexpr char kOwnerProperty[] = "Hivesweep.ListView";

}  // namespace

Win32ListView::Win32ListView(HWND parent, const Options& options) : checkBoxes_(options.checkBoxes) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS |
                      LVS_SINGLESEL;
  window_ = CreateWindowExA(0, WC_LISTVIEWA, "", style, options.bounds.left, options.bounds.top,
                            options.bounds.right - options.bounds.left, options.bounds.bottom - options.bounds.top,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(options.controlId)),
                            reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  if (!window_) return;
  SetPropA(window_, kOwnerProperty, this);
  DWORD extended = LVS_EX_FULLROWSELECT;
  if (checkBoxes_) extended |= LVS_EX_CHECKBOXES;
  SendMessageA(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  SendMessageA(window_, LVM_SETBKCOLOR, 0, options.background);
  SendMessageA(window_, LVM_SETTEXTBKCOLOR, 0, options.background);
  SendMessageA(window_, LVM_SETTEXTCOLOR, 0, GetSysColor(COLOR_WINDOWTEXT));
  for (std::size_t i = 0; i < options.columns.size(); ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(options.columns[i].header.c_str());
    column.cx = options.columns[i].widthPixels;
    column.iSubItem = static_cast<int>(i);
    SendMessageA(window_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
}

Win32ListView::~Win32ListView() {
  if (!window_ || !IsWindow(window_)) return;
  KillTimer(window_, kRepaintTimerId);
  RemovePropA(window_, kOwnerProperty);
  DestroyWindow(window_);
}

void Win32ListView::RepaintLater() {
  if (repaintPending_ || !window_) return;
  // WM_SETREDRAW TRUE would give a list that has no WS_VISIBLE of its own
  // that style; such a list paints nothing now and everything when shown.
  if (!(GetWindowLongPtrA(window_, GWL_STYLE) & WS_VISIBLE)) return;
  if (!SetTimer(window_, kRepaintTimerId, repaintDelayMs_, &Win32ListView::OnRepaintTimer)) return;
  SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  repaintPending_ = true;
}

void Win32ListView::RepaintNow() {
  KillTimer(window_, kRepaintTimerId);
  if (!repaintPending_) return;
  repaintPending_ = false;
  SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
  // Painted here rather than at the next WM_PAINT so that the paint can be
  // timed: the next burst waits kPaintShare times as long as this paint took,
  // so that a slow machine or a large list spends at most a twenty-fifth of
  // the time painting while rows pour in.
  const ULONGLONG started = GetTickCount64();
  RedrawWindow(window_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const ULONGLONG paintMs = GetTickCount64() - started;
  repaintDelayMs_ = static_cast<UINT>(
      std::clamp<ULONGLONG>(paintMs * kPaintShare, kMinRepaintDelayMs, kMaxRepaintDelayMs));
}

void CALLBACK Win32ListView::OnRepaintTimer(HWND window, UINT, UINT_PTR, DWORD) {
  auto* owner = static_cast<Win32ListView*>(GetPropA(window, kOwnerProperty));
  if (owner) owner->RepaintNow();
}

RowNumber Win32ListView::Count() const {
  return static_cast<RowNumber>(SendMessageA(window_, LVM_GETITEMCOUNT, 0, 0));
}

RowNumber Win32ListView::Add(const std::string& text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = INT_MAX;  // past the last row: appended, without asking the count first
  item.pszText = const_cast<char*>(text.c_str());
  RepaintLater();
  const LRESULT index = SendMessageA(window_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return index < 0 ? 0 : static_cast<RowNumber>(index + 1);
}

void Win32ListView::Remove(RowNumber row) {
  RepaintLater();
  SendMessageA(window_, LVM_DELETEITEM, ToIndex(row), 0);
}

void Win32ListView::Clear() {
  RepaintLater();
  SendMessageA(window_, LVM_DELETEALLITEMS, 0, 0);
}

std::string Win32ListView::ItemText(RowNumber row, int column) const {
  if (row < 1 || row > Count()) return std::string();
  // The list copies at most the buffer's size; grow until the text fits.
  std::vector<char> buffer(1024);
  while (true) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const LRESULT length = SendMessageA(window_, LVM_GETITEMTEXTA, ToIndex(row), reinterpret_cast<LPARAM>(&item));
    if (length < static_cast<LRESULT>(buffer.size()) - 1 || buffer.size() >= (1u << 20)) {
      return std::string(item.pszText, static_cast<std::size_t>(length > 0 ? length : 0));
    }
    buffer.resize(buffer.size() * 4);
  }
}

std::string Win32ListView::Text(RowNumber row) const { return ItemText(row, 0); }

std::string Win32ListView::SubItem(RowNumber row, int i) const { return ItemText(row, i); }

void Win32ListView::SetSubItem(RowNumber row, int i, const std::string& text) {
  LVITEMA item = {};
  item.iSubItem = i;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(window_, LVM_SETITEMTEXTA, ToIndex(row), reinterpret_cast<LPARAM>(&item));
}

bool Win32ListView::Checked(RowNumber row) const {
  const auto state = static_cast<UINT>(SendMessageA(window_, LVM_GETITEMSTATE, ToIndex(row), LVIS_STATEIMAGEMASK));
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void Win32ListView::SetChecked(RowNumber row, bool checked) {
  LVITEMA item = {};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  SendMessageA(window_, LVM_SETITEMSTATE, ToIndex(row), reinterpret_cast<LPARAM>(&item));
}

RowNumber Win32ListView::SelectedRow() const {
  const LRESULT index = SendMessageA(window_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  return index < 0 ? 0 : static_cast<RowNumber>(index + 1);
}

bool Win32ListView::HandleNotify(const NMHDR& header, LRESULT* result) {
  if (header.hwndFrom != window_) return false;
  *result = 0;
  switch (header.code) {
    case NM_CLICK: {
      const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
      if (Click) Click();
      LVHITTESTINFO hit = {};
      hit.pt = activate.ptAction;
      const LRESULT index = SendMessageA(window_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      const bool onCheckBox = checkBoxes_ && (hit.flags & LVHT_ONITEMSTATEICON) != 0;
      if (index >= 0 && !onCheckBox && RowClick) RowClick(static_cast<RowNumber>(index + 1));
      return true;
    }
    case LVN_BEGINLABELEDITA:
    case LVN_BEGINLABELEDITW: {
      int cancel = 0;
      if (BeforeLabelEdit) BeforeLabelEdit(&cancel);
      *result = cancel ? TRUE : FALSE;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace app
