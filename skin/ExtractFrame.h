#pragma once
// Cutting one frame out of a horizontal strip of equally wide frames.

#include "skin/BmpDecoder.h"

namespace qev {

// Frame frameIndex (1-based) of frameCount: frame width = strip width / frameCount;
// frame i covers columns (i - 1) * width up to i * width; the last frame is the
// right-most frame-width columns, so a remainder of the division is dropped left of
// it. The destination gets the frame's size and pixels (the strip's height). A count
// or index outside 1..count, or a frame width of 0, leaves the destination empty.
void ExtractFrame(const PlainBitmap& strip, PlainBitmap& destination, int frameCount,
                  int frameIndex);

}  // namespace qev
