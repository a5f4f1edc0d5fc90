#include "config/Cipher.h"

namespace qev {

namespace {

struct KeyBytes {
  uint8_t k0, k1, k2, k3;
};

KeyBytes Split(uint32_t key) {
  return {static_cast<uint8_t>(key), static_cast<uint8_t>(key >> 8),
          static_cast<uint8_t>(key >> 16), static_cast<uint8_t>(key >> 24)};
}

}  // namespace

// Byte arithmetic is modulo 256 throughout; every step undoes exactly.
void StrDecipher(std::string& s, uint32_t key, int rounds) {
  const size_t n = s.size();
  if (n == 0) return;
  const KeyBytes k = Split(key);
  auto* b = reinterpret_cast<uint8_t*>(s.data());
  for (int r = 0; r < rounds; ++r) {
    for (size_t i = 0; i + 1 < n; ++i) b[i] = static_cast<uint8_t>((b[i] ^ k.k1) - b[i + 1]);
    b[n - 1] = static_cast<uint8_t>(b[n - 1] - k.k3);
    for (size_t i = n - 1; i >= 1; --i) b[i] = static_cast<uint8_t>((b[i] ^ k.k0) - b[i - 1]);
    b[0] = static_cast<uint8_t>(b[0] - k.k2);
  }
}

void StrEncipher(std::string& s, uint32_t key, int rounds) {
  const size_t n = s.size();
  if (n == 0) return;
  const KeyBytes k = Split(key);
  auto* b = reinterpret_cast<uint8_t*>(s.data());
  for (int r = 0; r < rounds; ++r) {
    b[0] = static_cast<uint8_t>(b[0] + k.k2);
    for (size_t i = 1; i < n; ++i) b[i] = static_cast<uint8_t>((b[i] + b[i - 1]) ^ k.k0);
    b[n - 1] = static_cast<uint8_t>(b[n - 1] + k.k3);
    for (size_t i = n - 1; i-- > 0;) b[i] = static_cast<uint8_t>((b[i] + b[i + 1]) ^ k.k1);
  }
}

}  // namespace qev
