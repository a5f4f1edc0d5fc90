#include "win32/WinImageButton.h"

#include <windowsx.h>

#include "win32/ControlSubclass.h"
#include "win32/SkinnedLook.h"
#include "win32/WinStatusImage.h"

namespace qev::win32 {

namespace {

void DrawSeeThrough(HDC dc, HBITMAP picture, int x, int y) {
  const SIZE size = BitmapSize(picture);
  if (size.cx <= 0) return;
  MemoryDc from(dc);
  Selection select(from.get(), picture);
  GdiTransparentBlt(dc, x, y, size.cx, size.cy, from.get(), 0, 0, size.cx, size.cy,
                    GetPixel(from.get(), 0, 0));
}
}  // namespace

void PaintButtonFace(HDC dc, const RECT& r, HBITMAP picture, const std::wstring& caption,
                     HFONT font, const Look& look, bool pressed, bool disabled) {
  DrawWithoutFuchsia(dc, picture, r.left, r.top);
  if (!font || caption.empty()) return;
  Selection select(dc, font);
  SetBkMode(dc, TRANSPARENT);
  RECT t = r;
  if (pressed) OffsetRect(&t, 0, 1);
  const UINT flags = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
  RECT shade = t;
  OffsetRect(&shade, 1, 1);
  SetTextColor(dc, look.Colour(LookColour::ButtonTextShadow));
  DrawTextW(dc, caption.c_str(), int(caption.size()), &shade, flags);
  SetTextColor(dc, disabled ? RGB(0x8A, 0x80, 0x70) : look.Colour(LookColour::ButtonText));
  DrawTextW(dc, caption.c_str(), int(caption.size()), &t, flags);
}

WinImageButton::~WinImageButton() {
  if (hwnd_) UnsubclassControl(hwnd_);
}

bool WinImageButton::Create(int id, const layout::Place& place, const std::string& text,
                            bool visible) {
  hwnd_ = CreateChild(kit_.Main, L"BUTTON", text,
                      (visible ? WS_VISIBLE : 0) | BS_OWNERDRAW | WS_TABSTOP, id, place.Rect(),
                      captionFont_);
  if (!hwnd_) return false;
  RouteMessagesTo(hwnd_, this);
  return true;
}

LRESULT WinImageButton::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return TRUE;  // the owner drawing covers every pixel
    case WM_MOUSEMOVE:
      if (!hover_) {
        hover_ = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
        TrackMouseEvent(&track);
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      hover_ = false;
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    case WM_LBUTTONUP: {
      // The button releases its capture and reports the click first, so a handler
      // that opens a menu or a dialog finds the mouse free.
      const LRESULT result = CallControlProc(hwnd_, msg, wp, lp);
      const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      RECT client;
      GetClientRect(hwnd_, &client);
      if (OnMouseUp && PtInRect(&client, pt) && IsWindowEnabled(hwnd_))
        OnMouseUp(TPoint{pt.x, pt.y});
      return result;
    }
    default:
      break;
  }
  return CallControlProc(hwnd_, msg, wp, lp);
}

void WinImageButton::OnCommand(UINT code) {
  // Messages sent straight to a disabled button (BM_CLICK) must not run its command.
  if (code == BN_CLICKED && OnClick && IsWindowEnabled(hwnd_)) OnClick();
}

ButtonState WinImageButton::StateOf(UINT itemState) const {
  if (itemState & ODS_DISABLED) return ButtonState::Disabled;
  if (itemState & ODS_SELECTED) return ButtonState::Down;
  return hover_ ? ButtonState::Hover : ButtonState::Normal;
}

bool WinImageButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const ButtonState state = StateOf(item.itemState);
  BackBuffer buffer(item.hDC, item.rcItem);
  kit_.Backdrop->Fill(buffer.dc(), kit_.Main, hwnd_, item.rcItem);
  HBITMAP picture = kit_.Skin->Button(face_, state);
  // An operator's pictures carry their own lettering or signs (no caption over them),
  // and their top-left pixel is their see-through colour.
  const auto* skinned = dynamic_cast<const SkinnedLook*>(kit_.Skin);
  if (skinned && skinned->SkinnedButton(face_))
    DrawSeeThrough(buffer.dc(), picture, item.rcItem.left, item.rcItem.top);
  else
    PaintButtonFace(buffer.dc(), item.rcItem, picture, GbkToWide(Text()), captionFont_, *kit_.Skin,
                    state == ButtonState::Down, state == ButtonState::Disabled);
  buffer.Show();
  return true;
}

}  // namespace qev::win32
