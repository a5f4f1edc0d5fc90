#pragma once
// Name comparison of the INI file: section and key names are equal when they have the
// same bytes after ASCII upper-casing. Bytes 128-255 are left as they are, which is how
// the Chinese ANSI code page upper-cases them: folding them would make different GBK
// characters compare equal. An empty name equals no name.

#include <array>
#include <cstdint>
#include <string_view>

namespace qev {

namespace detail {
constexpr std::array<uint8_t, 256> MakeIniUpper() {
  std::array<uint8_t, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(i >= 'a' && i <= 'z' ? i - 32 : i);
  return t;
}
}  // namespace detail

inline constexpr std::array<uint8_t, 256> kIniUpperTbl = detail::MakeIniUpper();

// h := (h rotated left by 2) XOR U[c] over the bytes of the name.
inline uint32_t IniNameHash(std::string_view name) {
  uint32_t h = 0;
  for (unsigned char c : name) h = ((h << 2) | (h >> 30)) ^ kIniUpperTbl[c];
  return h;
}

bool IniNamesEqual(std::string_view a, std::string_view b);

}  // namespace qev
