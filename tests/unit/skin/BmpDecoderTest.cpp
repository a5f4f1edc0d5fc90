#include <gtest/gtest.h>

#include "BmpMaker.h"
#include "skin/BmpDecoder.h"

namespace qev {
namespace {

using test::BmpLayout;
using test::MakeBmp;

TEST(BmpDecoder, DecodesEveryDepthInBothRowOrders) {
  const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
  for (bool topDown : {false, true}) {
    for (int bits : {1, 4, 8, 24, 32}) {
      BmpLayout b;
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
  BmpLayout b;
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

  BmpLayout rgb16;  // 16 bits without masks are 5-5-5
  rgb16.width = 1;
  rgb16.height = 1;
  rgb16.bits = 16;
  rgb16.pixels = {0x7C00};
  EXPECT_EQ(DecodeBmp(MakeBmp(rgb16)).Pixel(0, 0), 0xFF0000u);
}

// A bitmap file with an info header of infoSize bytes (fields past the first 40 zero,
// masks at 40 inside a longer header or after a 40-byte one), then the palette
// (0x00RRGGBB) and the pixel bytes as given.
std::string BmpFile(uint32_t infoSize, int w, int h, int bits, uint32_t compression,
                    const std::vector<uint32_t>& masks, const std::vector<uint32_t>& palette,
                    const std::string& pixels) {
  std::string info;
  AppendLe32(info, infoSize);
  AppendLe32(info, static_cast<uint32_t>(w));
  AppendLe32(info, static_cast<uint32_t>(h));
  AppendLe16(info, 1);
  AppendLe16(info, static_cast<uint32_t>(bits));
  AppendLe32(info, compression);
  AppendLe32(info, static_cast<uint32_t>(pixels.size()));
  AppendLe32(info, 2835);
  AppendLe32(info, 2835);
  AppendLe32(info, static_cast<uint32_t>(palette.size()));
  AppendLe32(info, 0);
  for (uint32_t m : masks) AppendLe32(info, m);
  if (info.size() < infoSize) info.append(infoSize - info.size(), '\0');
  for (uint32_t c : palette) AppendLe32(info, c);
  uint32_t dataAt = 14 + static_cast<uint32_t>(info.size());
  std::string f = "BM";
  AppendLe32(f, dataAt + static_cast<uint32_t>(pixels.size()));
  AppendLe32(f, 0);
  AppendLe32(f, dataAt);
  return f + info + pixels;
}

std::vector<uint32_t> AllPixels(const PlainBitmap& b) { return b.Pixels; }

TEST(BmpDecoder, RunLengthOs2AndNewerHeadersAsPaintProgramsWriteThem) {
  const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  const uint32_t K = 0x000000, R = 0xFF0000, G = 0x00FF00, B = 0x0000FF;

  // RLE8, rows from the bottom: a run and a single; three copied indexes (padded to
  // an even count) and a run; a run, a delta that skips a pixel, a run, end of bitmap.
  const std::string rle8(
      "\x03\x01\x01\x02\x00\x00"
      "\x00\x03\x01\x02\x03\x00\x01\x01\x00\x00"
      "\x02\x03\x00\x02\x01\x00\x01\x01\x00\x01",
      26);
  PlainBitmap b8 = DecodeBmp(BmpFile(40, 4, 3, 8, 1, {}, palette, rle8));
  EXPECT_EQ(AllPixels(b8), (std::vector<uint32_t>{B, B, K, R, R, G, B, R, R, R, R, G}));

  // RLE4: a run alternating two indexes; three copied indexes and a run.
  const std::string rle4(
      "\x05\x12\x00\x00"
      "\x00\x03\x31\x20\x02\x33\x00\x01",
      12);
  PlainBitmap b4 = DecodeBmp(BmpFile(40, 5, 2, 4, 2, {}, palette, rle4));
  EXPECT_EQ(AllPixels(b4), (std::vector<uint32_t>{B, R, G, B, B, R, G, R, G, R}));

  // A stream that runs past its rows is clipped; one that stops early leaves index 0.
  PlainBitmap clipped = DecodeBmp(BmpFile(40, 2, 1, 8, 1, {}, palette, std::string("\x09\x02", 2)));
  EXPECT_EQ(AllPixels(clipped), (std::vector<uint32_t>{G, G}));
  PlainBitmap early = DecodeBmp(BmpFile(40, 2, 2, 8, 1, {}, palette, std::string("\x01\x03", 2)));
  EXPECT_EQ(AllPixels(early), (std::vector<uint32_t>{K, K, B, K}));

  // The 64-byte OS/2 2.x header, 24 bits; and run-length data in it.
  PlainBitmap os2 = DecodeBmp(
      BmpFile(64, 2, 1, 24, 0, {}, {}, std::string("\x33\x22\x11\xFF\x00\x00\x00\x00", 8)));
  EXPECT_EQ(AllPixels(os2), (std::vector<uint32_t>{0x112233, 0x0000FF}));
  EXPECT_EQ(AllPixels(DecodeBmp(BmpFile(64, 4, 3, 8, 1, {}, palette, rle8))), AllPixels(b8));

  // V5 header, 32 bits with red, green, blue and alpha masks; V4, 16 bits 5-6-5.
  PlainBitmap v5 =
      DecodeBmp(BmpFile(124, 1, 1, 32, 3, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, {},
                        std::string("\x33\x22\x11\x80", 4)));
  EXPECT_EQ(v5.Pixel(0, 0), 0x80112233u);
  PlainBitmap v4 = DecodeBmp(BmpFile(108, 2, 1, 16, 3, {0xF800, 0x07E0, 0x001F, 0}, {},
                                     std::string("\x00\xF8\x1F\x00", 4)));
  EXPECT_EQ(AllPixels(v4), (std::vector<uint32_t>{R, B}));
  // BI_ALPHABITFIELDS after a 40-byte header: four masks.
  PlainBitmap alpha =
      DecodeBmp(BmpFile(40, 1, 1, 32, 6, {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}, {},
                        std::string("\x11\x22\x33\x40", 4)));
  EXPECT_EQ(alpha.Pixel(0, 0), 0x40112233u);

  // Still refused: run-length data top-down, RLE8 at 4 bits, OS/2 Huffman coding.
  EXPECT_THROW(DecodeBmp(BmpFile(40, 4, -3, 8, 1, {}, palette, rle8)), BmpError);
  EXPECT_THROW(DecodeBmp(BmpFile(40, 4, 3, 4, 1, {}, palette, rle8)), BmpError);
  EXPECT_THROW(DecodeBmp(BmpFile(64, 8, 1, 1, 3, {}, {0, 0xFFFFFF}, std::string(4, '\0'))),
               BmpError);
}

TEST(BmpDecoder, RejectsWhatItCannotDecode) {
  BmpLayout good;
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
      {__LINE__, with(14, 20, 4)},                  // unknown header size
      {__LINE__, with(10, 0xFFFFFFF0u, 4)},         // pixel data offset past the end
      {__LINE__, with(26, 2, 2)},                   // two planes
  };
  for (const auto& b : bad) {
    EXPECT_THROW(DecodeBmp(b.file), BmpError) << "line " << b.line;
    // The skin reader checks at load what it decodes later: the check refuses alike.
    EXPECT_THROW(CheckBmp(b.file), BmpError) << "line " << b.line;
  }
  const BmpShape shape = CheckBmp(file);
  EXPECT_EQ(shape.Width, 4);
  EXPECT_EQ(shape.Height, 4);
  EXPECT_EQ(shape.BitCount, 24);

  BmpLayout paletted;  // a palette that claims more entries than the file holds
  paletted.width = 1;
  paletted.height = 1;
  paletted.bits = 8;
  paletted.palette = {0};
  paletted.pixels = {0};
  std::string f = MakeBmp(paletted);
  f[46] = static_cast<char>(200);
  EXPECT_THROW(DecodeBmp(f), BmpError);
  EXPECT_THROW(CheckBmp(f), BmpError);
}

}  // namespace
}  // namespace qev
