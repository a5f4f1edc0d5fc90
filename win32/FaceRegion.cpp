#include "win32/FaceRegion.h"

#include "win32/GdiHolders.h"

namespace qev::win32 {

namespace {
uint32_t AsRgb(COLORREF c) {
  return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}
}  // namespace

std::vector<OpaqueRun> OpaqueRuns(const std::vector<uint32_t>& pixels, int width, int height,
                                  COLORREF transparent) {
  std::vector<OpaqueRun> runs;
  const uint32_t clear = AsRgb(transparent);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels.data() + size_t(y) * size_t(width);
    int x = 0;
    while (x < width) {
      while (x < width && (row[x] & 0xFFFFFF) == clear) ++x;
      const int start = x;
      while (x < width && (row[x] & 0xFFFFFF) != clear) ++x;
      if (x > start) runs.push_back({y, start, x});
    }
  }
  return runs;
}

bool ReadPixels(HBITMAP bitmap, std::vector<uint32_t>& pixels, int& width, int& height) {
  const SIZE size = BitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return false;
  width = size.cx;
  height = size.cy;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  pixels.assign(size_t(width) * size_t(height), 0);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return rows == height;
}

HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF transparent) {
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  if (!ReadPixels(bitmap, pixels, width, height)) return nullptr;
  const std::vector<OpaqueRun> runs = OpaqueRuns(pixels, width, height, transparent);
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
    rects[i] = RECT{runs[i].left, runs[i].y, runs[i].right, runs[i].y + 1};
  if (runs.empty()) return CreateRectRgn(0, 0, 0, 0);
  return ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
}

}  // namespace qev::win32
