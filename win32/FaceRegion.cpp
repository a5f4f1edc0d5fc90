#include "win32/FaceRegion.h"

#include "win32/GdiHolders.h"

namespace qev::win32 {

bool ReadPlain(HBITMAP bitmap, PlainBitmap& out) {
  const SIZE size = BitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  out.Width = size.cx;
  out.Height = size.cy;
  out.BitCount = 32;
  out.Pixels.assign(size_t(size.cx) * size_t(size.cy), 0);
  HDC screen = GetDC(nullptr);
  const int rows =
      GetDIBits(screen, bitmap, 0, UINT(size.cy), out.Pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return rows == size.cy;
}

HRGN RegionFromRuns(const std::vector<RegionRun>& runs, int width, int height) {
  if (runs.empty()) return CreateRectRgn(0, 0, 0, 0);
  // One region built from all rectangles at once is far cheaper than run-by-run unions.
  std::vector<char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = DWORD(runs.size());
  header->nRgnSize = DWORD(runs.size() * sizeof(RECT));
  header->rcBound = RECT{0, 0, width, height};
  auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
  for (size_t i = 0; i < runs.size(); ++i)
    rects[i] = RECT{runs[i].Left, runs[i].Top, runs[i].Right, runs[i].Top + 1};
  return ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
}

HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF transparent) {
  PlainBitmap pixels;
  if (!ReadPlain(bitmap, pixels)) return nullptr;
  return RegionFromRuns(qev::RegionFromBitmap(pixels, transparent), pixels.Width, pixels.Height);
}

bool ShapeWindowByFace(HWND hwnd, HBITMAP face, COLORREF transparent) {
  HRGN shape = RegionFromBitmap(face, transparent);
  if (!shape) return false;
  RECT box;
  if (GetRgnBox(shape, &box) == NULLREGION) {
    DeleteObject(shape);
    SetWindowRgn(hwnd, nullptr, TRUE);
  } else {
    SetWindowRgn(hwnd, shape, TRUE);  // the window owns the region from here on
  }
  return true;
}

}  // namespace qev::win32
