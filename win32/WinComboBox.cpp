#include "win32/WinComboBox.h"

#include <stdexcept>

#include "win32/ControlSubclass.h"

namespace qev::win32 {

namespace {
constexpr int kButtonWidth = 16;
constexpr int kFrame = 1;

COLORREF Mix(COLORREF a, COLORREF b, int percentOfB) {
  auto part = [&](int shift) {
    const int x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
    return COLORREF((x * (100 - percentOfB) + y * percentOfB) / 100) << shift;
  };
  return part(0) | part(8) | part(16);
}
}  // namespace

WinComboBox::~WinComboBox() {
  if (hwnd_) UnsubclassControl(hwnd_);
}

bool WinComboBox::Create(int id, const layout::Place& place) {
  back_.reset(CreateSolidBrush(kit_.Skin->Colour(LookColour::EditBack)));
  hwnd_ = CreateChild(kit_.Main, L"COMBOBOX", "",
                      WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, id,
                      place.Rect(), font_);
  if (!hwnd_) return false;
  RouteMessagesTo(hwnd_, this);
  PlaceField();
  return true;
}

LRESULT WinComboBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Painting covers every pixel the field does not.
  LRESULT answer = 0;
  if (AnswerPaintMessage(hwnd_, msg, wp, answer, [this](HDC dc) { Paint(dc); })) return answer;
  const LRESULT result = CallControlProc(hwnd_, msg, wp, lp);
  // The control puts its field back beside its own, wider button on these.
  if (msg == WM_SIZE || msg == WM_SETFONT || msg == CB_SETITEMHEIGHT) PlaceField();
  return result;
}

void WinComboBox::PlaceField() {
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(hwnd_, &info) || !info.hwndItem) return;
  RECT client;
  GetClientRect(hwnd_, &client);
  const RECT& field = info.rcItem;
  const int right = client.right - kFrame - kButtonWidth - 1;
  SetWindowPos(info.hwndItem, nullptr, field.left, field.top, right - field.left,
               field.bottom - field.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinComboBox::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  const COLORREF back = kit_.Skin->Colour(LookColour::EditBack);
  const COLORREF text = kit_.Skin->Colour(LookColour::EditText);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  GetComboBoxInfo(hwnd_, &info);
  const bool pressed = info.stateButton & STATE_SYSTEM_PRESSED;

  FillRect(dc, &client, back_.get());
  Brush frame(CreateSolidBrush(Mix(back, text, 45)));
  FrameRect(dc, &client, frame.get());
  RECT button{client.right - kFrame - kButtonWidth, client.top + kFrame, client.right - kFrame,
              client.bottom - kFrame};
  FillColour(dc, button, Mix(back, text, pressed ? 30 : 15));
  // A chevron pointing down, in the field's text colour.
  const int cx = (button.left + button.right) / 2 + (pressed ? 1 : 0);
  const int cy = (button.top + button.bottom) / 2 + (pressed ? 1 : 0);
  for (int i = 0; i < 4; ++i) {
    FillColour(dc, RECT{cx - 3 + i, cy - 2 + i, cx - 2 + i, cy - 1 + i}, text);
    FillColour(dc, RECT{cx + 3 - i, cy - 2 + i, cx + 4 - i, cy - 1 + i}, text);
  }
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
