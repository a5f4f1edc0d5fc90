#pragma once
// The standard CRC-32 (reflected, initial value all ones, final complement): of a whole
// file, step by step over buffers, and as the signed decimal text update files carry.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace qev {

struct FileCrcResult {
  uint32_t Crc = 0;    // 0 when Error is set
  uint16_t Error = 0;  // 1 when the file could not be read
};

// The standard CRC-32 of a whole file, read in pieces.
FileCrcResult FileCrc32(FileSystem& fs, const std::string& path);
// register := CRC-32 step over count bytes (count >= 1); register starts at 0xFFFFFFFF.
void Crc32Update(const void* buffer, size_t count, uint32_t& reg);
extern const uint32_t kCrc32Table[256];

// The CRC as the signed decimal text that update files carry (0xFFFFFFFF -> "-1").
inline std::string CrcText(uint32_t crc) { return std::to_string(static_cast<int32_t>(crc)); }

}  // namespace qev
