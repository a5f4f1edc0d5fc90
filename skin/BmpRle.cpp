#include "skin/BmpRle.h"

namespace qev {
namespace {

constexpr uint8_t kEndOfLine = 0, kEndOfBitmap = 1, kDelta = 2;

class RleCanvas {
 public:
  RleCanvas(int width, int height)
      : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, 0) {}
  void Put(uint8_t index) {
    if (x_ < width_ && y_ < height_)
      pixels_[static_cast<size_t>(height_ - 1 - y_) * width_ + x_] = index;
    ++x_;
  }
  void NextLine() {
    x_ = 0;
    ++y_;
  }
  void Move(int dx, int dy) {
    x_ += dx;
    y_ += dy;
  }
  bool Done() const { return y_ >= height_; }
  std::vector<uint8_t> Take() { return std::move(pixels_); }

 private:
  int width_, height_;
  int x_ = 0, y_ = 0;  // y counts from the bottom row
  std::vector<uint8_t> pixels_;
};

}  // namespace

std::vector<uint8_t> ExpandBmpRle(std::string_view s, int width, int height, int bits) {
  RleCanvas canvas(width, height);
  auto at = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
  // Index i of a run or a copy: RLE4 packs two per byte, high nibble first.
  auto index = [&](uint8_t byte, int i) -> uint8_t {
    return bits == 8 ? byte : (i % 2 == 0 ? byte >> 4 : byte & 15);
  };
  size_t p = 0;
  while (p + 2 <= s.size() && !canvas.Done()) {
    uint8_t count = at(p), value = at(p + 1);
    p += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) canvas.Put(index(value, i));
    } else if (value == kEndOfLine) {
      canvas.NextLine();
    } else if (value == kEndOfBitmap) {
      break;
    } else if (value == kDelta) {
      if (p + 2 > s.size()) break;
      canvas.Move(at(p), at(p + 1));
      p += 2;
    } else {
      size_t bytes = bits == 8 ? value : (value + 1u) / 2;
      if (s.size() - p < bytes) break;
      for (int i = 0; i < value; ++i) canvas.Put(index(at(p + (bits == 8 ? i : i / 2)), i));
      p += bytes + (bytes & 1);
    }
  }
  return canvas.Take();
}

}  // namespace qev
