#include "skin/BmpDecoder.h"

#include <string>

#include "base/LittleEndian.h"
#include "skin/BmpRle.h"

namespace qev {
namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;
constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kOs2V2HeaderSize = 64;  // the info header's first 40 bytes, then OS/2 fields

[[noreturn]] void Reject(const char* why) { throw BmpError(std::string("bitmap: ") + why); }

struct Header {
  int64_t width = 0, height = 0;
  bool topDown = false;
  int bits = 0;
  uint32_t compression = kBiRgb;
  size_t paletteAt = 0, paletteEntries = 0, paletteEntrySize = 4;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
};

Header ReadHeader(std::string_view f) {
  if (f.size() < kFileHeaderSize + 12 || f[0] != 'B' || f[1] != 'M') Reject("not a bitmap file");
  Header h;
  uint32_t infoSize = LoadLe32(f, 14);
  if (infoSize == kCoreHeaderSize) {  // core header: 16-bit sizes, 3-byte palette entries
    h.width = LoadLe16(f, 18);
    h.height = LoadLe16(f, 20);
    if (LoadLe16(f, 22) != 1) Reject("planes");
    h.bits = static_cast<int>(LoadLe16(f, 24));
    h.paletteEntrySize = 3;
  } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == kOs2V2HeaderSize ||
             infoSize == 108 || infoSize == 124) {
    if (f.size() < kFileHeaderSize + infoSize) Reject("header cut short");
    h.width = static_cast<int32_t>(LoadLe32(f, 18));
    h.height = static_cast<int32_t>(LoadLe32(f, 22));
    if (LoadLe16(f, 26) != 1) Reject("planes");
    h.bits = static_cast<int>(LoadLe16(f, 28));
    h.compression = LoadLe32(f, 30);
    h.paletteEntries = LoadLe32(f, 46);
    // OS/2 numbers its compressions alike for the run-length forms; its 3 and 4
    // (Huffman, 24-bit runs) are not Windows bit fields.
    if (infoSize == kOs2V2HeaderSize && h.compression > kBiRle4)
      Reject("compression not supported");
    if (h.compression == kBiAlphaBitfields) h.compression = kBiBitfields;
    if (h.compression == kBiBitfields) {
      size_t at =
          kFileHeaderSize + 40;  // masks follow a 40-byte header, or lie inside a longer one
      if (f.size() < at + 12) Reject("bit fields cut short");
      for (int i = 0; i < 3; ++i) h.masks[i] = LoadLe32(f, at + 4 * i);
      if (infoSize >= 56 || LoadLe32(f, 30) == kBiAlphaBitfields) {
        if (f.size() < at + 16) Reject("bit fields cut short");
        h.masks[3] = LoadLe32(f, at + 12);
      }
    }
  } else {
    Reject("unknown header size");
  }
  if (h.height < 0) {
    h.topDown = true;
    h.height = -h.height;
  }
  // With a 40-byte header the masks follow it, before any palette.
  size_t masksAfter = infoSize != 40 ? 0 : LoadLe32(f, 30) == kBiAlphaBitfields ? 16 : 12;
  h.paletteAt = kFileHeaderSize + infoSize + (h.compression == kBiBitfields ? masksAfter : 0);
  return h;
}

void CheckHeader(const Header& h) {
  if (h.width <= 0 || h.height <= 0 || h.width > kMaxBmpSide || h.height > kMaxBmpSide ||
      h.width * h.height > kMaxBmpPixels)
    Reject("size out of range");
  bool rgb = h.compression == kBiRgb;
  bool fields = h.compression == kBiBitfields && (h.bits == 16 || h.bits == 32);
  bool rle = (h.compression == kBiRle8 && h.bits == 8) || (h.compression == kBiRle4 && h.bits == 4);
  if (!rgb && !fields && !rle) Reject("compression not supported");
  if (rle && h.topDown) Reject("top-down run-length bitmap");
  if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
    Reject("bit count not supported");
  if (h.topDown && h.paletteEntrySize == 3) Reject("top-down core bitmap");
}

std::vector<uint32_t> ReadPalette(std::string_view f, const Header& h) {
  if (h.bits > 8) return {};
  size_t entries = h.paletteEntries == 0 ? size_t{1} << h.bits : h.paletteEntries;
  if (entries > 256) Reject("palette too large");
  if (h.paletteAt > f.size() || (f.size() - h.paletteAt) / h.paletteEntrySize < entries)
    Reject("palette cut short");
  std::vector<uint32_t> palette(size_t{1} << h.bits, 0);  // indexes past the table read black
  for (size_t i = 0; i < entries && i < palette.size(); ++i) {
    size_t at = h.paletteAt + i * h.paletteEntrySize;
    palette[i] = static_cast<uint8_t>(f[at]) | LoadLe16(f, at + 1) << 8;
  }
  return palette;
}

// One colour component taken by a bit mask and scaled to 8 bits.
uint32_t MaskedComponent(uint32_t value, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!(mask & (1u << shift))) ++shift;
  uint32_t m = mask >> shift;
  uint32_t v = (value & mask) >> shift;
  return m == 0xFF ? v : (v * 255 + m / 2) / m;
}

uint32_t FieldsPixel(uint32_t v, const uint32_t* masks) {
  return MaskedComponent(v, masks[2]) | MaskedComponent(v, masks[1]) << 8 |
         MaskedComponent(v, masks[0]) << 16 | MaskedComponent(v, masks[3]) << 24;
}

uint32_t DecodePixel(const uint8_t* row, int64_t x, const Header& h,
                     const std::vector<uint32_t>& palette) {
  switch (h.bits) {
    case 1:
      return palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
    case 4:
      return palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
    case 8:
      return palette[row[x]];
    case 24:
      return row[3 * x] | row[3 * x + 1] << 8 | static_cast<uint32_t>(row[3 * x + 2]) << 16;
    case 16: {
      uint32_t v = row[2 * x] | row[2 * x + 1] << 8;
      static const uint32_t k555[4] = {0x7C00, 0x03E0, 0x001F, 0};
      return FieldsPixel(v, h.compression == kBiBitfields ? h.masks : k555);
    }
    default: {
      uint32_t v = row[4 * x] | row[4 * x + 1] << 8 | row[4 * x + 2] << 16 |
                   static_cast<uint32_t>(row[4 * x + 3]) << 24;
      return h.compression == kBiBitfields ? FieldsPixel(v, h.masks) : v;
    }
  }
}

}  // namespace

namespace {

size_t DataOffset(std::string_view f) {
  size_t dataAt = LoadLe32(f, 10);
  if (dataAt > f.size()) Reject("pixel data cut short");
  return dataAt;
}

size_t Stride(const Header& h) { return static_cast<size_t>((h.width * h.bits + 31) / 32 * 4); }

bool IsRunLength(const Header& h) { return h.compression == kBiRle8 || h.compression == kBiRle4; }

}  // namespace

BmpShape CheckBmp(std::string_view f) {
  Header h = ReadHeader(f);
  CheckHeader(h);
  ReadPalette(f, h);
  size_t dataAt = DataOffset(f);
  if (!IsRunLength(h) && (f.size() - dataAt) / Stride(h) < static_cast<size_t>(h.height))
    Reject("pixel data cut short");
  return BmpShape{static_cast<int>(h.width), static_cast<int>(h.height), h.bits};
}

PlainBitmap DecodeBmp(std::string_view f) {
  Header h = ReadHeader(f);
  CheckHeader(h);
  std::vector<uint32_t> palette = ReadPalette(f, h);
  size_t dataAt = DataOffset(f);

  PlainBitmap bmp;
  bmp.Width = static_cast<int>(h.width);
  bmp.Height = static_cast<int>(h.height);
  bmp.BitCount = h.bits;
  bmp.Pixels.resize(static_cast<size_t>(h.width * h.height));
  if (IsRunLength(h)) {
    std::vector<uint8_t> indexes = ExpandBmpRle(f.substr(dataAt), bmp.Width, bmp.Height, h.bits);
    for (size_t i = 0; i < indexes.size(); ++i) bmp.Pixels[i] = palette[indexes[i]];
    return bmp;
  }
  size_t stride = Stride(h);
  if ((f.size() - dataAt) / stride < static_cast<size_t>(h.height)) Reject("pixel data cut short");
  for (int64_t y = 0; y < h.height; ++y) {
    int64_t fileRow = h.topDown ? y : h.height - 1 - y;
    const uint8_t* row = reinterpret_cast<const uint8_t*>(f.data()) + dataAt + fileRow * stride;
    uint32_t* out = bmp.Pixels.data() + y * h.width;
    for (int64_t x = 0; x < h.width; ++x) out[x] = DecodePixel(row, x, h, palette);
  }
  return bmp;
}

}  // namespace qev
