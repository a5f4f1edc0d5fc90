#pragma once
// CRC-32 by carry-less multiplication on x86 processors that have it: the data is
// folded 64 bytes at a time with precomputed powers of x modulo the polynomial, then
// reduced to 32 bits by Barrett reduction. The table-driven update remains the
// reference and handles everything else.

#include <cstddef>
#include <cstdint>

namespace qev {

// True when the processor can run Crc32Clmul.
bool HaveClmul();
// count >= 64 and a multiple of 16; reg is the CRC register, as in Crc32Update.
uint32_t Crc32Clmul(const unsigned char* p, size_t count, uint32_t reg);

}  // namespace qev
