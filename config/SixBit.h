#pragma once
// The launcher's 6-bit packing of built-in texts. Four packed characters carry three
// bytes; each packed character is ">" (62) plus a 6-bit value, so packed text is
// printable ASCII. Characters below ">" are taken literally by the unpacking and restart
// the bit groups.

#include <string>
#include <string_view>

namespace qev {

std::string DecodeSixBit(std::string_view packed);
// Packs every byte of plain (also those below ">"), so the result is always
// 4 * (n / 3) characters plus 2 or 3 for a remainder of 1 or 2 bytes.
std::string EncodeSixBit(std::string_view plain);

}  // namespace qev
