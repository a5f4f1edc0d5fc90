#pragma once
// Builds BMP files for the tests: pixels given top row first as 0x00RRGGBB colours (or
// palette indexes for 1, 4 and 8 bits).

#include <cstdint>
#include <string>
#include <vector>

#include "base/LittleEndian.h"

namespace qev::test {

struct BmpLayout {
  int width = 0, height = 0, bits = 24;
  bool topDown = false;
  uint32_t compression = 0;       // 0 BI_RGB, 3 BI_BITFIELDS
  std::vector<uint32_t> masks;    // red, green, blue for bit fields
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint32_t> pixels;   // colours, or indexes for paletted depths
};

inline std::string MakeBmp(const BmpLayout& b) {
  size_t stride = (static_cast<size_t>(b.width) * b.bits + 31) / 32 * 4;
  std::string rows;
  for (int r = 0; r < b.height; ++r) {
    int y = b.topDown ? r : b.height - 1 - r;
    std::string row(stride, '\0');
    for (int x = 0; x < b.width; ++x) {
      uint32_t v = b.pixels[static_cast<size_t>(y) * b.width + x];
      switch (b.bits) {
        case 1:
          row[x / 8] = static_cast<char>(row[x / 8] | (v & 1) << (7 - x % 8));
          break;
        case 4:
          row[x / 2] = static_cast<char>(row[x / 2] | (v & 15) << (x % 2 ? 0 : 4));
          break;
        case 8:
          row[x] = static_cast<char>(v);
          break;
        case 16:
          row[2 * x] = static_cast<char>(v);
          row[2 * x + 1] = static_cast<char>(v >> 8);
          break;
        case 24:
          for (int k = 0; k < 3; ++k) row[3 * x + k] = static_cast<char>(v >> (8 * k));
          break;
        default:
          for (int k = 0; k < 4; ++k) row[4 * x + k] = static_cast<char>(v >> (8 * k));
      }
    }
    rows += row;
  }
  std::string extra;
  for (uint32_t m : b.masks) AppendLe32(extra, m);
  for (uint32_t c : b.palette) AppendLe32(extra, c);
  uint32_t dataAt = 14 + 40 + static_cast<uint32_t>(extra.size());
  std::string f = "BM";
  AppendLe32(f, dataAt + static_cast<uint32_t>(rows.size()));
  AppendLe32(f, 0);
  AppendLe32(f, dataAt);
  AppendLe32(f, 40);
  AppendLe32(f, static_cast<uint32_t>(b.width));
  AppendLe32(f, static_cast<uint32_t>(b.topDown ? -b.height : b.height));
  AppendLe16(f, 1);
  AppendLe16(f, static_cast<uint32_t>(b.bits));
  AppendLe32(f, b.compression);
  AppendLe32(f, static_cast<uint32_t>(rows.size()));
  AppendLe32(f, 2835);
  AppendLe32(f, 2835);
  AppendLe32(f, static_cast<uint32_t>(b.palette.size()));
  AppendLe32(f, 0);
  return f + extra + rows;
}

// A small 24-bit picture whose pixel (x, y) is 0x00RRGGBB = x * 0x10000 + y * 0x100 + seed.
inline std::string TestBmp(int w, int h, uint32_t seed) {
  BmpLayout b;
  b.width = w;
  b.height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.pixels.push_back(static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y) << 8 | seed);
  return MakeBmp(b);
}

}  // namespace qev::test
