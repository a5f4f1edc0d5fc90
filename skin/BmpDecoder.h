#pragma once
// Windows bitmap files (BMP) decoded into a plain bitmap, in portable code. The Windows
// layer turns a PlainBitmap into a GDI bitmap.
//
// Decoded: 1, 4, 8, 16, 24 and 32 bits per pixel; BI_RGB, BI_RLE8 (8 bits), BI_RLE4
// (4 bits), and BI_BITFIELDS or BI_ALPHABITFIELDS for 16 and 32 bits; bottom-up and
// top-down rows (run-length rows bottom-up only); the core (12-byte) header, the 40,
// 52, 56, 108 and 124-byte info headers and the 64-byte OS/2 2.x header. Anything else
// (other compressions, sizes beyond the limits, uncompressed data that ends early)
// raises BmpError, as the platform's loader would fail.

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace qev {

class BmpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr int kMaxBmpSide = 16384;
inline constexpr int64_t kMaxBmpPixels = int64_t{1} << 26;

struct PlainBitmap {
  int Width = 0;
  int Height = 0;
  // Rows top to bottom, each pixel 0xAARRGGBB (in memory B, G, R, A as a 32-bit DIB
  // holds it). A is the file's fourth byte for 32-bit pixels (or the alpha mask's
  // value with bit fields) and 0 for every other depth.
  std::vector<uint32_t> Pixels;
  int BitCount = 0;  // depth of the file it came from

  uint32_t Pixel(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
  // The pixel as a Windows colour value 0x00BBGGRR.
  uint32_t ColorAt(int x, int y) const {
    uint32_t p = Pixel(x, y);
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  }
};

PlainBitmap DecodeBmp(std::string_view file);

// What DecodeBmp would make of the file, without decoding its pixels. It raises every
// BmpError DecodeBmp raises (run-length data is never refused: runs past the picture
// are clipped), so DecodeBmp cannot fail on a file that passes.
struct BmpShape {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
};
BmpShape CheckBmp(std::string_view file);

}  // namespace qev
