#include "win32/PlainFace.h"

namespace qev::win32 {

namespace {
constexpr COLORREF kPanelColour = RGB(24, 32, 48);
constexpr COLORREF kFrameColour = RGB(150, 130, 80);
constexpr COLORREF kTitleColour = RGB(240, 225, 180);
constexpr int kTitleHeight = 36;

class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ h) : h_(h) {}
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() {
    if (h_) DeleteObject(h_);
  }
  HGDIOBJ get() const { return h_; }

 private:
  HGDIOBJ h_;
};
}  // namespace

void PaintPlainFace(HDC dc, const RECT& client, const std::wstring& title) {
  GdiObject panel(CreateSolidBrush(kPanelColour));
  GdiObject frame(CreateSolidBrush(kFrameColour));
  FillRect(dc, &client, static_cast<HBRUSH>(panel.get()));
  FrameRect(dc, &client, static_cast<HBRUSH>(frame.get()));

  GdiObject font(CreateFontW(kTitleHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, L"SimSun"));
  HGDIOBJ oldFont = SelectObject(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kTitleColour);
  RECT text = client;
  DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

}  // namespace qev::win32
