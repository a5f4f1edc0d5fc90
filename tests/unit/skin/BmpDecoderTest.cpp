#include <gtest/gtest.h>

#include "BmpMaker.h"
#include "skin/BmpDecoder.h"

namespace qev {
namespace {

using test::BmpSpec;
using test::MakeBmp;

TEST(BmpDecoder, DecodesEveryDepthInBothRowOrders) {
  const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
  for (bool topDown : {false, true}) {
    for (int bits : {1, 4, 8, 24, 32}) {
      BmpSpec b;
      b.width = 13;  // odd widths exercise row padding and partial bytes
      b.height = 5;
      b.bits = bits;
      b.topDown = topDown;
      std::vector<uint32_t> expected;
      if (bits <= 8)
        b.palette = std::vector<uint32_t>(palette.begin(), palette.begin() + (bits == 1 ? 2 : 5));
      for (int y = 0; y < b.height; ++y) {
        for (int x = 0; x < b.width; ++x) {
          if (bits <= 8) {
            uint32_t index = static_cast<uint32_t>(x + y) % b.palette.size();
            b.pixels.push_back(index);
            expected.push_back(b.palette[index]);
          } else {
            uint32_t c =
                static_cast<uint32_t>(x * 19) << 16 | static_cast<uint32_t>(y * 40) << 8 | 7;
            b.pixels.push_back(c);
            expected.push_back(c);
          }
        }
      }
      PlainBitmap bmp = DecodeBmp(MakeBmp(b));
      ASSERT_EQ(bmp.Width, 13);
      ASSERT_EQ(bmp.Height, 5);
      EXPECT_EQ(bmp.Pixels, expected) << bits << " bits, top-down " << topDown;
    }
  }
}

TEST(BmpDecoder, BitFieldsAndColourValues) {
  BmpSpec b;
  b.width = 2;
  b.height = 1;
  b.bits = 16;
  b.compression = 3;
  b.masks = {0xF800, 0x07E0, 0x001F};  // 5-6-5
  b.pixels = {0xF800, 0x07E0 | 0x001F};
  PlainBitmap bmp = DecodeBmp(MakeBmp(b));
  EXPECT_EQ(bmp.Pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(bmp.Pixel(1, 0), 0x00FFFFu);
  EXPECT_EQ(bmp.ColorAt(0, 0), 0x0000FFu);  // red as a Windows colour 0x00BBGGRR

  b.bits = 32;
  b.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the low byte
  b.pixels = {0x000000FF, 0x00FF0000};
  bmp = DecodeBmp(MakeBmp(b));
  EXPECT_EQ(bmp.Pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(bmp.Pixel(1, 0), 0x0000FFu);

  BmpSpec rgb16;  // 16 bits without masks are 5-5-5
  rgb16.width = 1;
  rgb16.height = 1;
  rgb16.bits = 16;
  rgb16.pixels = {0x7C00};
  EXPECT_EQ(DecodeBmp(MakeBmp(rgb16)).Pixel(0, 0), 0xFF0000u);
}

TEST(BmpDecoder, RejectsWhatItCannotDecode) {
  BmpSpec good;
  good.width = 4;
  good.height = 4;
  good.pixels.assign(16, 0x112233);
  const std::string file = MakeBmp(good);
  ASSERT_NO_THROW(DecodeBmp(file));

  auto with = [&](size_t at, uint32_t v, int width) {
    std::string f = file;
    for (int i = 0; i < width; ++i) f[at + i] = static_cast<char>(v >> (8 * i));
    return f;
  };
  struct {
    int line;
    std::string file;
  } bad[] = {
      {__LINE__, "PM" + file.substr(2)},
      {__LINE__, file.substr(0, file.size() - 1)},  // last row cut short
      {__LINE__, file.substr(0, 30)},               // header cut short
      {__LINE__, with(30, 1, 4)},                   // RLE8
      {__LINE__, with(30, 3, 4)},                   // bit fields at 24 bits
      {__LINE__, with(28, 7, 2)},                   // 7 bits per pixel
      {__LINE__, with(18, 0, 4)},                   // width 0
      {__LINE__, with(18, 100000, 4)},              // width beyond the limit
      {__LINE__, with(22, 0x80000000u, 4)},         // height of INT_MIN
      {__LINE__, with(14, 64, 4)},                  // unknown header size
      {__LINE__, with(10, 0xFFFFFFF0u, 4)},         // pixel data offset past the end
      {__LINE__, with(26, 2, 2)},                   // two planes
  };
  for (const auto& b : bad) EXPECT_THROW(DecodeBmp(b.file), BmpError) << "line " << b.line;

  BmpSpec paletted;  // a palette that claims more entries than the file holds
  paletted.width = 1;
  paletted.height = 1;
  paletted.bits = 8;
  paletted.palette = {0};
  paletted.pixels = {0};
  std::string f = MakeBmp(paletted);
  f[46] = static_cast<char>(200);
  EXPECT_THROW(DecodeBmp(f), BmpError);
}

}  // namespace
}  // namespace qev
