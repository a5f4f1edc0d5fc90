#pragma once
// A picture's pixels where the program's image stores them (a bitmap resource): plain
// 24- or 32-bit rows, read and drawn in place, so that no copy of them has to be made.

#include <windows.h>

#include <cstddef>
#include <cstdint>

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
};

}  // namespace qev::win32
