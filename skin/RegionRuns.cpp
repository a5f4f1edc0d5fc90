#include "skin/RegionRuns.h"

namespace qev {

std::vector<RegionRun> RegionFromBitmap(const PlainBitmap& glyph, uint32_t transparentColor) {
  std::vector<RegionRun> runs;
  transparentColor &= 0xFFFFFF;
  for (int y = 0; y < glyph.Height; ++y) {
    int start = -1;
    for (int x = 0; x < glyph.Width; ++x) {
      bool opaque = glyph.ColorAt(x, y) != transparentColor;
      if (opaque && start < 0) start = x;
      if (!opaque && start >= 0) {
        runs.push_back({y, start, x});
        start = -1;
      }
    }
    if (start >= 0) runs.push_back({y, start, glyph.Width});  // a run up to the row's end
  }
  return runs;
}

}  // namespace qev
