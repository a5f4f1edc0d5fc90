#include "win32/FaceRegion.h"

#include <cstring>

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

namespace {

// The runs as rectangles, rows with the same runs as the row above joined into the
// rectangles above: a face is mostly such rows, and a region of few rectangles is
// far cheaper to make and to use.
std::vector<RECT> JoinedRows(const std::vector<RegionRun>& runs) {
  std::vector<RECT> rects;
  size_t lastRow = 0, lastCount = 0;  // where the previous row's rectangles start, how many
  for (size_t i = 0; i < runs.size();) {
    size_t end = i;
    while (end < runs.size() && runs[end].Top == runs[i].Top) ++end;
    const size_t count = end - i;
    bool same = count == lastCount && lastCount > 0 && rects[lastRow].bottom == runs[i].Top;
    for (size_t k = 0; same && k < count; ++k)
      same = rects[lastRow + k].left == runs[i + k].Left &&
             rects[lastRow + k].right == runs[i + k].Right;
    if (same) {
      for (size_t k = 0; k < count; ++k) rects[lastRow + k].bottom = runs[i].Top + 1;
    } else {
      lastRow = rects.size();
      lastCount = count;
      for (size_t k = i; k < end; ++k)
        rects.push_back(RECT{runs[k].Left, runs[k].Top, runs[k].Right, runs[k].Top + 1});
    }
    i = end;
  }
  return rects;
}

}  // namespace

HRGN RegionFromRuns(const std::vector<RegionRun>& runs, int width, int height) {
  if (runs.empty()) return CreateRectRgn(0, 0, 0, 0);
  // One region built from all rectangles at once is far cheaper than run-by-run unions.
  const std::vector<RECT> rects = JoinedRows(runs);
  std::vector<char> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = DWORD(rects.size());
  header->nRgnSize = DWORD(rects.size() * sizeof(RECT));
  header->rcBound = RECT{0, 0, width, height};
  std::memcpy(data.data() + sizeof(RGNDATAHEADER), rects.data(), rects.size() * sizeof(RECT));
  return ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
}

HRGN RegionFromTopDownDib(HBITMAP dib, COLORREF transparent) {
  DIBSECTION section = {};
  if (GetObjectW(dib, sizeof section, &section) != sizeof section || !section.dsBm.bmBits ||
      section.dsBm.bmBitsPixel != 32 || section.dsBm.bmWidthBytes != section.dsBm.bmWidth * 4)
    return RegionFromBitmap(dib, transparent);
  GdiFlush();  // drawing on the section may still be queued
  const int width = section.dsBm.bmWidth, height = section.dsBm.bmHeight;
  return RegionFromRuns(qev::RegionFromPixels(static_cast<const uint32_t*>(section.dsBm.bmBits),
                                              width, height, transparent),
                        width, height);
}

HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF transparent) {
  PlainBitmap pixels;
  if (!ReadPlain(bitmap, pixels)) return nullptr;
  return RegionFromRuns(qev::RegionFromBitmap(pixels, transparent), pixels.Width, pixels.Height);
}

HRGN RegionFromStoredRows(const StoredRows& rows, COLORREF transparent) {
  if (rows.Empty()) return nullptr;
  // Row by row through one row of 32-bit pixels: the picture itself is never copied.
  std::vector<uint32_t> line(size_t(rows.width));
  std::vector<RegionRun> runs;
  for (int y = 0; y < rows.height; ++y) {
    rows.CopyRow(y, line.data());
    for (RegionRun run : qev::RegionFromPixels(line.data(), rows.width, 1, transparent)) {
      run.Top = y;
      runs.push_back(run);
    }
  }
  return RegionFromRuns(runs, rows.width, rows.height);
}

bool ShapeWindow(HWND hwnd, HRGN shape) {
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
