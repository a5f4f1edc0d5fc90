#pragma once
// Conversion between the terminal's text (UTF-8) and the GBK bytes of every file the
// launcher reads. The platform file of this pair does the actual conversion.

#include <string>
#include <string_view>

namespace qev::tool {

// False when utf8 is not valid UTF-8 or holds a character that GBK cannot write.
bool Utf8ToGbk(std::string_view utf8, std::string& gbk);
// Never fails: a byte sequence that is not GBK becomes U+FFFD.
std::string GbkToUtf8(std::string_view gbk);
// False when gbk holds a byte sequence that is not GBK.
bool GbkToUtf8Strict(std::string_view gbk, std::string& utf8);

}  // namespace qev::tool
