#include "skin/ExtractFrame.h"

namespace qev {

void ExtractFrame(const PlainBitmap& strip, PlainBitmap& destination, int frameCount,
                  int frameIndex) {
  PlainBitmap frame;
  frame.BitCount = strip.BitCount;
  int width = frameCount > 0 ? strip.Width / frameCount : 0;
  if (width > 0 && frameIndex >= 1 && frameIndex <= frameCount) {
    int left = frameIndex == frameCount ? strip.Width - width : (frameIndex - 1) * width;
    frame.Width = width;
    frame.Height = strip.Height;
    frame.Pixels.reserve(static_cast<size_t>(width) * strip.Height);
    for (int y = 0; y < strip.Height; ++y) {
      auto row = strip.Pixels.begin() + static_cast<ptrdiff_t>(y) * strip.Width + left;
      frame.Pixels.insert(frame.Pixels.end(), row, row + width);
    }
  }
  destination = std::move(frame);
}

}  // namespace qev
