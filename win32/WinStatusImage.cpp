#include "win32/WinStatusImage.h"

namespace qev::win32 {

void DrawWithoutFuchsia(HDC dc, HBITMAP picture, int x, int y) {
  const SIZE size = BitmapSize(picture);
  if (size.cx <= 0) return;
  MemoryDc from(dc);
  Selection select(from.get(), picture);
  GdiTransparentBlt(dc, x, y, size.cx, size.cy, from.get(), 0, 0, size.cx, size.cy,
                    layout::kOutsideColour);
}

bool WinStatusImage::Create(int id, const layout::Place& place, bool visible) {
  hwnd_ = CreateChild(kit_.Main, L"STATIC", "", (visible ? WS_VISIBLE : 0) | SS_OWNERDRAW, id,
                      place.Rect(), nullptr);
  return hwnd_ != nullptr;
}

bool WinStatusImage::OnDrawItem(const DRAWITEMSTRUCT& item) {
  BackBuffer buffer(item.hDC, item.rcItem);
  kit_.Backdrop->Fill(buffer.dc(), kit_.Main, hwnd_, item.rcItem);
  DrawWithoutFuchsia(buffer.dc(), kit_.Skin->StatusIcon(running_), item.rcItem.left,
                     item.rcItem.top);
  buffer.Show();
  return true;
}

}  // namespace qev::win32
