#include "win32/WinCheckBox.h"

#include <commctrl.h>

#include "skin/ControlLooks.h"
#include "win32/ControlSubclass.h"

namespace qev::win32 {

namespace {

// Messages after which the standard button would paint its own look: ours is put back.
bool RepaintsAfter(UINT msg) {
  switch (msg) {
    case BM_SETSTATE:
    case BM_SETCHECK:
    case BM_CLICK:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_UPDATEUISTATE:
    case WM_MOUSELEAVE:
      return true;
    default:
      return false;
  }
}
}  // namespace

WinCheckBox::~WinCheckBox() {
  if (hwnd_) UnsubclassControl(hwnd_);
  if (tip_) DestroyWindow(tip_);
}

bool WinCheckBox::Create(int id, const layout::Place& corner, const std::string& caption,
                         bool visible, const std::string& hint) {
  hwnd_ = CreateChild(kit_.Main, L"BUTTON", caption,
                      (visible ? WS_VISIBLE : 0) | BS_AUTOCHECKBOX | WS_TABSTOP, id,
                      RECT{corner.left, corner.top, corner.left + 1, corner.top + 1}, font_);
  if (!hwnd_) return false;
  const SIZE size = FittedSize();
  SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
  RouteMessagesTo(hwnd_, this);
  hint_ = hint;
  return true;
}

void WinCheckBox::AddHint() {
  if (tip_ || hint_.empty()) return;
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, kit_.Main,
                         nullptr, nullptr, nullptr);
  if (!tip_) return;
  std::wstring text = GbkToWide(hint_);
  TTTOOLINFOW info = {};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = kit_.Main;
  info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  info.lpszText = text.data();
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

PlainBitmap WinCheckBox::Glyph(bool checked, bool enabled) const {
  return CheckBoxGlyph(FileTheme(), UIStyle(), resources_, checked, enabled);
}

// Re-read on every style or theme change: a skin's glyph may differ in size. The
// theme writes style and theme several times while the window is made; a box that
// already has its size is left alone.
void WinCheckBox::ApplyStyle() {
  if (!hwnd_) return;
  const SIZE size = FittedSize();
  RECT now;
  GetWindowRect(hwnd_, &now);
  if (now.right - now.left != size.cx || now.bottom - now.top != size.cy)
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
  // A box not on screen yet is painted whole when it shows.
  if (IsWindowVisible(hwnd_)) InvalidateRect(hwnd_, nullptr, FALSE);
}

SIZE WinCheckBox::FittedSize() const {
  // Every frame of a strip has the same size: the unchecked one stands for all.
  const PlainBitmap glyph = Glyph(false, true);
  if (!measured_.Valid) {
    const std::wstring caption = GbkToWide(Text());
    HDC dc = GetDC(hwnd_);
    Selection font(dc, font_);
    GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &measured_.Text);
    GetTextExtentPoint32W(dc, L"W", 1, &measured_.Letter);
    ReleaseDC(hwnd_, dc);
    measured_.Valid = true;
  }
  const ControlSize size =
      CheckBoxAutoSize(glyph.Width, glyph.Height, int(measured_.Text.cx), int(measured_.Letter.cy));
  return SIZE{size.Width, size.Height};
}

bool WinCheckBox::Checked() const {
  return hwnd_ && SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WinCheckBox::SetChecked(bool on) {
  if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

LRESULT WinCheckBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT answer = 0;
  if (AnswerPaintMessage(hwnd_, msg, wp, answer, [this](HDC dc) { Paint(dc); })) return answer;
  if (msg == WM_MOUSEMOVE) AddHint();
  if (msg == WM_SETTEXT) measured_.Valid = false;  // measured again at the next fit
  const LRESULT result = CallControlProc(hwnd_, msg, wp, lp);
  if (RepaintsAfter(msg) && IsWindowVisible(hwnd_))
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return result;
}

void WinCheckBox::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  BackBuffer buffer(dc, client);
  kit_.Backdrop->Fill(buffer.dc(), kit_.Main, hwnd_, client);
  const bool enabled = IsWindowEnabled(hwnd_) != FALSE;
  const PlainBitmap glyph = Glyph(Checked(), enabled);
  DrawPlain(buffer.dc(), kCheckBoxGlyphLeft, (client.bottom - glyph.Height) / 2, glyph);
  const std::wstring caption = GbkToWide(Text());
  Selection font(buffer.dc(), font_);
  SetBkMode(buffer.dc(), TRANSPARENT);
  SetTextColor(buffer.dc(),
               enabled ? kit_.Skin->Colour(LookColour::LabelText) : RGB(0x80, 0x78, 0x68));
  RECT text = client;
  text.left = kCheckBoxGlyphLeft + glyph.Width + kCheckBoxCaptionGap;
  DrawTextW(buffer.dc(), caption.c_str(), int(caption.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  buffer.Show();
}

}  // namespace qev::win32
