#include "win32/WinComboBox.h"

#include <stdexcept>

namespace qev::win32 {

bool WinComboBox::Create(int id, const layout::Place& place) {
  back_.reset(CreateSolidBrush(kit_.Skin->Colour(LookColour::EditBack)));
  hwnd_ = CreateChild(kit_.Main, L"COMBOBOX", "",
                      WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, id,
                      place.Rect(), font_);
  return hwnd_ != nullptr;
}

int WinComboBox::Count() const { return int(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0)); }

void WinComboBox::Add(const std::string& text) {
  SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GbkToWide(text).c_str()));
}

void WinComboBox::Clear() { SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0); }

std::string WinComboBox::Row(int i) const {
  if (i < 0 || i >= Count()) return {};
  const LRESULT n = SendMessageW(hwnd_, CB_GETLBTEXTLEN, WPARAM(i), 0);
  if (n == CB_ERR) return {};
  std::wstring wide(size_t(n) + 1, L'\0');
  SendMessageW(hwnd_, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(wide.data()));
  wide.resize(size_t(n));
  std::string gbk;
  return WideToGbk(wide, gbk) ? gbk : std::string();
}

void WinComboBox::SetRow(int i, const std::string& text) {
  if (i < 0 || i >= Count()) throw std::out_of_range("combo row");
  const int selected = ItemIndex();
  SendMessageW(hwnd_, CB_DELETESTRING, WPARAM(i), 0);
  SendMessageW(hwnd_, CB_INSERTSTRING, WPARAM(i),
               reinterpret_cast<LPARAM>(GbkToWide(text).c_str()));
  if (selected == i) SetItemIndex(i);
}

int WinComboBox::ItemIndex() const { return int(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)); }

void WinComboBox::SetItemIndex(int i) {
  SendMessageW(hwnd_, CB_SETCURSEL, WPARAM(i), 0);
  // Picking a row selects the field's whole text; a field the player is not typing in
  // shows no selection.
  SendMessageW(hwnd_, CB_SETEDITSEL, 0, MAKELPARAM(WORD(-1), 0));
}

void WinComboBox::OnCommand(UINT code) {
  if (code != CBN_EDITCHANGE || editing_) return;
  // The list keeps its old row while the field is typed into; drop it, but keep what
  // was typed and where the caret stands.
  editing_ = true;
  const std::wstring typed = GbkToWide(Text());
  DWORD start = 0, end = 0;
  SendMessageW(hwnd_, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  if (ItemIndex() != CB_ERR) {
    SendMessageW(hwnd_, CB_SETCURSEL, WPARAM(-1), 0);
    SetWindowTextW(hwnd_, typed.c_str());
    SendMessageW(hwnd_, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
  }
  editing_ = false;
}

HBRUSH WinComboBox::OnColour(HWND, HDC dc) {
  SetBkColor(dc, kit_.Skin->Colour(LookColour::EditBack));
  SetTextColor(dc, kit_.Skin->Colour(LookColour::EditText));
  return back_.get();
}

bool WinComboBox::Owns(HWND part) const {
  if (!hwnd_) return false;
  if (part == hwnd_) return true;
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  return GetComboBoxInfo(hwnd_, &info) && (part == info.hwndItem || part == info.hwndList);
}

}  // namespace qev::win32
