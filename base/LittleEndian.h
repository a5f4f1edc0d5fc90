#pragma once
// Little-endian fields of the binary formats read and written here (ZIP records, bitmap
// headers, skin records), over byte strings. The loads do not check bounds: the caller
// has already checked that at + width fits in the string.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qev {

// 16-bit values come back widened so that shifting them left stays unsigned.
inline uint32_t LoadLe16(std::string_view s, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(s[at])) |
         static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 8;
}

inline uint32_t LoadLe32(std::string_view s, size_t at) {
  return LoadLe16(s, at) | LoadLe16(s, at + 2) << 16;
}

inline uint64_t LoadLe64(std::string_view s, size_t at) {
  return LoadLe32(s, at) | uint64_t{LoadLe32(s, at + 4)} << 32;
}

// Appends the low 16 bits of v.
inline void AppendLe16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}

inline void AppendLe32(std::string& s, uint32_t v) {
  AppendLe16(s, v & 0xFFFF);
  AppendLe16(s, v >> 16);
}

}  // namespace qev
