#pragma once
// The treatment of INI values: comments after an unquoted ";", surrounding quotes and
// the integer forms that ReadInteger accepts.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qev {

// Position (0-based) of the first ";" outside double quotes, or npos.
size_t FindUnquotedSemicolon(std::string_view value);
// Removes bytes of code 0-32 at both ends.
std::string_view TrimControls(std::string_view s);
// Removes one pair of matching surrounding quotes (" or ').
std::string_view StripQuotes(std::string_view s);
// An optional sign followed by decimal digits, within the signed 32-bit range: the one
// decimal parser of the configuration code.
bool ParseDecimalInt32(std::string_view s, int32_t& out);
// "0x"/"0X" + hexadecimal (longer than 2 characters), or an optional sign followed by
// decimal digits or "$" + hexadecimal. Hexadecimal takes 32 bits and wraps to signed.
bool ParseIniInteger(std::string_view s, int32_t& out);

}  // namespace qev
