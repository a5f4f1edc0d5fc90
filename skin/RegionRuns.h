#pragma once
// The window outline of a skinned face: every pixel whose colour is not the
// transparent colour belongs to the window. Portable: the Windows side turns the runs
// into a region.

#include <cstdint>
#include <vector>

#include "skin/BmpDecoder.h"

namespace qev {

// Pixels [Left, Right) of row Top: one rectangle one row high.
struct RegionRun {
  int Top = 0;
  int Left = 0;
  int Right = 0;
  bool operator==(const RegionRun&) const = default;
};

// Every maximal run of consecutive pixels whose colour (0x00BBGGRR, alpha ignored)
// differs from transparentColor, row by row from the top, left to right. The union of
// the runs is the window's region; no run means an empty region.
std::vector<RegionRun> RegionFromBitmap(const PlainBitmap& glyph, uint32_t transparentColor);

// The same over width x height pixels 0xAARRGGBB, rows top first, without gaps.
std::vector<RegionRun> RegionFromPixels(const uint32_t* pixels, int width, int height,
                                        uint32_t transparentColor);

}  // namespace qev
