#pragma once
// Bytes as hexadecimal digit pairs and back.

#include <string>
#include <string_view>

namespace qev {

// Hexadecimal digit pairs to bytes (stops at the first pair outside "0".."f").
std::string HexToStr(std::string_view text);
// Bytes to upper-case hexadecimal digit pairs.
std::string StrToHex(std::string_view bytes);

}  // namespace qev
