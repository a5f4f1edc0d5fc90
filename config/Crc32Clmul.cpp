#include "config/Crc32Clmul.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QEV_HAVE_CLMUL_CODE 1
// Vector values only pass between the functions of this file, so the 32-bit ABI note
// about them does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace qev {

#ifdef QEV_HAVE_CLMUL_CODE

bool HaveClmul() {
  static const bool have = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
  return have;
}

namespace {

// Powers of x modulo P(x) = 0x1DB710641 (bit-reflected), for folding across 512 bits
// (k1, k2), across 128 bits (k3, k4) and from 64 to 32 bits (k5), and the Barrett pair
// (P, mu = x^64 / P).
alignas(16) const uint64_t kFold512[2] = {0x0154442bd4ULL, 0x01c6e41596ULL};
alignas(16) const uint64_t kFold128[2] = {0x01751997d0ULL, 0x00ccaa009eULL};
alignas(16) const uint64_t kFold64[2] = {0x0163cd6124ULL, 0};
alignas(16) const uint64_t kBarrett[2] = {0x01db710641ULL, 0x01f7011641ULL};

__attribute__((target("pclmul,sse4.1"))) inline __m128i Load(const unsigned char* q) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
}

__attribute__((target("pclmul,sse4.1"))) inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
  const __m128i lo = _mm_clmulepi64_si128(x, k, 0x00);
  const __m128i hi = _mm_clmulepi64_si128(x, k, 0x11);
  return _mm_xor_si128(_mm_xor_si128(hi, lo), next);
}

}  // namespace

__attribute__((target("pclmul,sse4.1"))) uint32_t Crc32Clmul(const unsigned char* p, size_t count,
                                                             uint32_t reg) {
  __m128i x1 = _mm_xor_si128(Load(p), _mm_cvtsi32_si128(static_cast<int>(reg)));
  __m128i x2 = Load(p + 16), x3 = Load(p + 32), x4 = Load(p + 48);
  p += 64;
  count -= 64;

  __m128i k = _mm_load_si128(reinterpret_cast<const __m128i*>(kFold512));
  for (; count >= 64; p += 64, count -= 64) {
    x1 = Fold(x1, k, Load(p));
    x2 = Fold(x2, k, Load(p + 16));
    x3 = Fold(x3, k, Load(p + 32));
    x4 = Fold(x4, k, Load(p + 48));
  }

  k = _mm_load_si128(reinterpret_cast<const __m128i*>(kFold128));
  x1 = Fold(x1, k, x2);
  x1 = Fold(x1, k, x3);
  x1 = Fold(x1, k, x4);
  for (; count >= 16; p += 16, count -= 16) x1 = Fold(x1, k, Load(p));

  // 128 -> 64 bits.
  const __m128i mask32 = _mm_setr_epi32(-1, 0, -1, 0);
  __m128i x2b = _mm_clmulepi64_si128(x1, k, 0x10);
  x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x2b);
  k = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kFold64));
  x2b = _mm_srli_si128(x1, 4);
  x1 = _mm_and_si128(x1, mask32);
  x1 = _mm_xor_si128(_mm_clmulepi64_si128(x1, k, 0x00), x2b);

  // Barrett reduction to 32 bits.
  k = _mm_load_si128(reinterpret_cast<const __m128i*>(kBarrett));
  x2b = _mm_and_si128(x1, mask32);
  x2b = _mm_clmulepi64_si128(x2b, k, 0x10);
  x2b = _mm_and_si128(x2b, mask32);
  x2b = _mm_clmulepi64_si128(x2b, k, 0x00);
  x1 = _mm_xor_si128(x1, x2b);
  return static_cast<uint32_t>(_mm_extract_epi32(x1, 1));
}

#else

bool HaveClmul() { return false; }
uint32_t Crc32Clmul(const unsigned char*, size_t, uint32_t reg) { return reg; }

#endif

}  // namespace qev
