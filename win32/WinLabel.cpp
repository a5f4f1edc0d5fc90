#include "win32/WinLabel.h"

namespace qev::win32 {

namespace {
constexpr UINT kTextFlags = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX;
}

bool WinLabel::Create(int id, const layout::Place& place, const std::string& text) {
  designed_ = place;
  hwnd_ =
      CreateChild(kit_.Main, L"STATIC", text, WS_VISIBLE | SS_OWNERDRAW, id, place.Rect(), font_);
  FitText();
  return hwnd_ != nullptr;
}

void WinLabel::SetText(const std::string& text) {
  if (!hwnd_) return;
  WinControl::SetText(text);
  FitText();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

int WinLabel::TextWidth(HDC dc, const std::wstring& text) const {
  Selection font(dc, font_);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
  return extent.cx;
}

void WinLabel::FitText() {
  HDC dc = GetDC(hwnd_);
  int width = TextWidth(dc, GbkToWide(Text()));
  ReleaseDC(hwnd_, dc);
  if (room_ > 0 && width > room_) width = room_;
  if (width < designed_.width) width = designed_.width;
  RECT now;
  GetWindowRect(hwnd_, &now);
  if (now.right - now.left != width)
    SetWindowPos(hwnd_, nullptr, 0, 0, width, designed_.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool WinLabel::OnDrawItem(const DRAWITEMSTRUCT& item) {
  BackBuffer buffer(item.hDC, item.rcItem);
  kit_.Backdrop->Fill(buffer.dc(), kit_.Main, hwnd_, item.rcItem);
  const std::wstring text = GbkToWide(Text());
  const int needed = TextWidth(buffer.dc(), text);
  const int room = item.rcItem.right - item.rcItem.left;
  Font condensed;
  if (needed > room) {
    LOGFONTW lf{};
    GetObjectW(font_, sizeof lf, &lf);
    TEXTMETRICW tm{};
    {
      Selection plain(buffer.dc(), font_);
      GetTextMetricsW(buffer.dc(), &tm);
    }
    lf.lfWidth = tm.tmAveCharWidth * room / needed;
    if (lf.lfWidth < 1) lf.lfWidth = 1;
    condensed.reset(CreateFontIndirectW(&lf));
  }
  Selection font(buffer.dc(), condensed ? condensed.get() : font_);
  SetBkMode(buffer.dc(), TRANSPARENT);
  SetTextColor(buffer.dc(), kit_.Skin->Colour(LookColour::LabelText));
  RECT r = item.rcItem;
  DrawTextW(buffer.dc(), text.c_str(), int(text.size()), &r, kTextFlags);
  buffer.Show();
  return true;
}

}  // namespace qev::win32
