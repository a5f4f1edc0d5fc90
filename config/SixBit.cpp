#include "config/SixBit.h"

#include <cstdint>

namespace qev {

namespace {

constexpr uint8_t kFirstPacked = 62;  // ">"

uint8_t MaskForShift(int shift) {
  switch (shift) {
    case 2:
      return 0xFC;
    case 4:
      return 0xF0;
    default:
      return 0xC0;
  }
}

}  // namespace

std::string DecodeSixBit(std::string_view packed) {
  std::string out;
  size_t count = 0;
  uint8_t carry = 0;
  int shift = 2;
  int bits = 0;
  for (char ch : packed) {
    const uint8_t c = static_cast<uint8_t>(ch);
    if (c < kFirstPacked) {
      out.push_back(ch);
      ++count;
      carry = 0;
      shift = 2;
      bits = 0;
      continue;
    }
    const uint8_t v = static_cast<uint8_t>(c - kFirstPacked);
    if (count >= packed.size()) break;
    if (bits + 6 >= 8) {
      out.push_back(static_cast<char>(((v & 0x3F) >> (6 - shift)) | carry));
      ++count;
      bits = 0;
      if (shift >= 6) {
        shift = 2;
        continue;
      }
      shift += 2;
    }
    carry = static_cast<uint8_t>(v << shift) & MaskForShift(shift);
    bits += 8 - shift;
  }
  out.resize(count);
  return out;
}

std::string EncodeSixBit(std::string_view plain) {
  std::string out;
  auto put = [&out](unsigned v) { out.push_back(static_cast<char>(kFirstPacked + (v & 0x3F))); };
  size_t i = 0;
  for (; i + 3 <= plain.size(); i += 3) {
    const unsigned b1 = static_cast<uint8_t>(plain[i]);
    const unsigned b2 = static_cast<uint8_t>(plain[i + 1]);
    const unsigned b3 = static_cast<uint8_t>(plain[i + 2]);
    put(b1 >> 2);
    put(((b1 & 3) << 4) | (b2 >> 4));
    put(((b2 & 0xF) << 2) | (b3 >> 6));
    put(b3);
  }
  const size_t rest = plain.size() - i;
  if (rest == 1) {
    const unsigned b1 = static_cast<uint8_t>(plain[i]);
    put(b1 >> 2);
    put((b1 & 3) << 4);
  } else if (rest == 2) {
    const unsigned b1 = static_cast<uint8_t>(plain[i]);
    const unsigned b2 = static_cast<uint8_t>(plain[i + 1]);
    put(b1 >> 2);
    put(((b1 & 3) << 4) | (b2 >> 4));
    put((b2 & 0xF) << 2);
  }
  return out;
}

}  // namespace qev
