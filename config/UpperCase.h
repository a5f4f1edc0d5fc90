#pragma once
// The fixed byte-wise upper-casing that names are compared with (a-z to A-Z only, so
// GBK bytes are never changed).

#include <cstdint>
#include <string>
#include <string_view>

namespace qev {

extern const uint8_t kUpperCaseTbl[256];
std::string UpperCaseTbl(std::string_view text);

}  // namespace qev
