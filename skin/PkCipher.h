#pragma once
// The Traditional PKWARE encryption of ZIP entries: three 32-bit keys driven by the
// plain bytes. Used to decipher skin container entries and, by the writer, to encipher.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qev {

class PkCipher {
 public:
  explicit PkCipher(std::string_view password);

  uint8_t DecryptByte(uint8_t c) {
    uint8_t p = c ^ KeyStream();
    Update(p);
    return p;
  }
  uint8_t EncryptByte(uint8_t p) {
    uint8_t c = p ^ KeyStream();
    Update(p);
    return c;
  }
  void Decrypt(uint8_t* data, size_t n) {
    for (size_t i = 0; i < n; ++i) data[i] = DecryptByte(data[i]);
  }

 private:
  uint8_t KeyStream() const {
    // 32-bit arithmetic: two 16-bit values would multiply as signed int and overflow.
    uint32_t t = (key2_ | 2) & 0xFFFF;
    return static_cast<uint8_t>((t * (t ^ 1)) >> 8);
  }
  void Update(uint8_t p);

  uint32_t key0_ = 0x12345678, key1_ = 0x23456789, key2_ = 0x34567890;
};

// One step of the reflected CRC-32 (polynomial 0xEDB88320) as the keys use it.
uint32_t CrcStep(uint32_t crc, uint8_t byte);

}  // namespace qev
