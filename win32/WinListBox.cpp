#include "win32/WinListBox.h"

#include <windowsx.h>

#include <stdexcept>

#include "win32/ControlSubclass.h"

namespace qev::win32 {

WinListBox::~WinListBox() {
  if (hwnd_) UnsubclassControl(hwnd_);
}

bool WinListBox::Create(int id, const layout::Place& place) {
  back_.reset(CreateSolidBrush(kit_.Skin->Colour(LookColour::ListBack)));
  hwnd_ = CreateChild(kit_.Main, L"LISTBOX", "",
                      WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                          LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                      id, place.Rect(), font_);
  if (!hwnd_) return false;
  SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, layout::kZoneRowHeight);
  RouteMessagesTo(hwnd_, this);
  return true;
}

int WinListBox::Count() const { return int(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); }

void WinListBox::Add(const std::string& text) {
  SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GbkToWide(text).c_str()));
}

void WinListBox::Clear() { SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }

std::string WinListBox::Row(int i) const {
  if (i < 0 || i >= Count()) return {};
  const LRESULT n = SendMessageW(hwnd_, LB_GETTEXTLEN, WPARAM(i), 0);
  if (n == LB_ERR) return {};
  std::wstring wide(size_t(n) + 1, L'\0');
  SendMessageW(hwnd_, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(wide.data()));
  wide.resize(size_t(n));
  std::string gbk;
  return WideToGbk(wide, gbk) ? gbk : std::string();
}

void WinListBox::SetRow(int i, const std::string& text) {
  if (i < 0 || i >= Count()) throw std::out_of_range("list row");
  const int selected = ItemIndex();
  const LRESULT top = SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0);
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd_, LB_DELETESTRING, WPARAM(i), 0);
  SendMessageW(hwnd_, LB_INSERTSTRING, WPARAM(i),
               reinterpret_cast<LPARAM>(GbkToWide(text).c_str()));
  if (selected == i) SendMessageW(hwnd_, LB_SETCURSEL, WPARAM(i), 0);
  SendMessageW(hwnd_, LB_SETTOPINDEX, WPARAM(top), 0);
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

int WinListBox::ItemIndex() const { return int(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }

void WinListBox::SetItemIndex(int i) { SendMessageW(hwnd_, LB_SETCURSEL, WPARAM(i), 0); }

bool WinListBox::BelowLastRow(int y) const {
  const int top = int(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0));
  return y >= (Count() - top) * layout::kZoneRowHeight;
}

LRESULT WinListBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      if (BelowLastRow(GET_Y_LPARAM(lp))) {
        // Empty space picks nothing: no row is current after such a click.
        SetFocus(hwnd_);
        SetItemIndex(-1);
        return 0;
      }
      break;
    case WM_LBUTTONUP: {
      const LRESULT result = CallControlProc(hwnd_, msg, wp, lp);
      if (pressed_) {
        pressed_ = false;
        if (OnClick) OnClick();
      }
      return result;
    }
    case WM_KEYDOWN: {
      const int before = ItemIndex();
      const LRESULT result = CallControlProc(hwnd_, msg, wp, lp);
      if (ItemIndex() != before && OnClick) OnClick();
      return result;
    }
    default:
      break;
  }
  return CallControlProc(hwnd_, msg, wp, lp);
}

bool WinListBox::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == UINT(-1)) return true;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const COLORREF back =
      selected ? GetSysColor(COLOR_HIGHLIGHT) : kit_.Skin->Colour(LookColour::ListBack);
  const COLORREF text =
      selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kit_.Skin->Colour(LookColour::ListText);
  BackBuffer buffer(item.hDC, item.rcItem);
  Brush fill(CreateSolidBrush(back));
  FillRect(buffer.dc(), &item.rcItem, fill.get());
  const std::wstring row = GbkToWide(Row(int(item.itemID)));
  Selection font(buffer.dc(), font_);
  SetBkMode(buffer.dc(), TRANSPARENT);
  SetTextColor(buffer.dc(), text);
  RECT r = item.rcItem;
  r.left += layout::kZoneTextIndent;
  DrawTextW(buffer.dc(), row.c_str(), int(row.size()), &r,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  buffer.Show();
  return true;
}

HBRUSH WinListBox::OnColour(HWND, HDC dc) {
  SetBkColor(dc, kit_.Skin->Colour(LookColour::ListBack));
  SetTextColor(dc, kit_.Skin->Colour(LookColour::ListText));
  return back_.get();
}

}  // namespace qev::win32
