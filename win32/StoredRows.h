#pragma once
// A picture's pixels where the program's image stores them (a bitmap resource): plain
// 24- or 32-bit rows, read and drawn in place, so that no copy of them has to be made.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qev::win32 {

struct StoredRows {
  const uint8_t* bits = nullptr;  // the rows as stored: the bottom row first when bottomUp
  int width = 0;
  int height = 0;
  int bitCount = 0;  // 24 or 32
  size_t stride = 0;
  bool bottomUp = true;

  bool Empty() const { return bits == nullptr; }
  // Row y, counted from the top.
  const uint8_t* Row(int y) const { return bits + size_t(bottomUp ? height - 1 - y : y) * stride; }
  // Row y as width pixels 0xAARRGGBB (the alpha byte is 0 for 24-bit rows).
  void CopyRow(int y, uint32_t* out) const {
    const uint8_t* in = Row(y);
    if (bitCount == 32) {
      std::memcpy(out, in, size_t(width) * 4);
      return;
    }
    for (int x = 0; x < width; ++x, in += 3)
      out[x] = in[0] | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16;
  }
};

}  // namespace qev::win32
