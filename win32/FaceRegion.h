#pragma once
// The window's shape from its face picture: every pixel that is not the transparent
// colour belongs to the window.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace qev::win32 {

// One row's run of opaque pixels: columns [left, right) of row y.
struct OpaqueRun {
  int y;
  int left;
  int right;
};

// The maximal runs of pixels unequal to transparent, row by row. pixels holds
// width * height values 0x00RRGGBB, top row first.
std::vector<OpaqueRun> OpaqueRuns(const std::vector<uint32_t>& pixels, int width, int height,
                                  COLORREF transparent);

// The union of those runs as a region (null when the bitmap cannot be read). An
// all-transparent picture gives an empty region.
HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF transparent);

// The pixels of a bitmap as 0x00RRGGBB values, top row first; false when unreadable.
bool ReadPixels(HBITMAP bitmap, std::vector<uint32_t>& pixels, int& width, int& height);

}  // namespace qev::win32
