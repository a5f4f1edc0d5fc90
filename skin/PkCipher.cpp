#include "skin/PkCipher.h"

#include <array>

namespace qev {
namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[i] = c;
  }
  return t;
}
constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

uint32_t CrcStep(uint32_t crc, uint8_t byte) { return kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8); }

PkCipher::PkCipher(std::string_view password) {
  for (char c : password) Update(static_cast<uint8_t>(c));
}

void PkCipher::Update(uint8_t p) {
  key0_ = CrcStep(key0_, p);
  key1_ = (key1_ + (key0_ & 0xFF)) * 0x08088405u + 1;
  key2_ = CrcStep(key2_, static_cast<uint8_t>(key1_ >> 24));
}

}  // namespace qev
