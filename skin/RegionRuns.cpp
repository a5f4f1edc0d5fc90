#include "skin/RegionRuns.h"

namespace qev {

std::vector<RegionRun> RegionFromPixels(const uint32_t* pixels, int width, int height,
                                        uint32_t transparentColor) {
  std::vector<RegionRun> runs;
  // The pixels hold 0x00RRGGBB: compare with the colour in that order.
  const uint32_t key = ((transparentColor & 0xFF) << 16) | (transparentColor & 0xFF00) |
                       ((transparentColor >> 16) & 0xFF);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(width);
    int start = -1;
    for (int x = 0; x < width; ++x) {
      bool opaque = (row[x] & 0xFFFFFF) != key;
      if (opaque && start < 0) start = x;
      if (!opaque && start >= 0) {
        runs.push_back({y, start, x});
        start = -1;
      }
    }
    if (start >= 0) runs.push_back({y, start, width});  // a run up to the row's end
  }
  return runs;
}

std::vector<RegionRun> RegionFromBitmap(const PlainBitmap& glyph, uint32_t transparentColor) {
  if (glyph.Width <= 0 || glyph.Height <= 0 ||
      glyph.Pixels.size() < static_cast<size_t>(glyph.Width) * static_cast<size_t>(glyph.Height))
    return {};
  return RegionFromPixels(glyph.Pixels.data(), glyph.Width, glyph.Height, transparentColor);
}

}  // namespace qev
