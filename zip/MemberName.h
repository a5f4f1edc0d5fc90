#pragma once
// The file name a ZIP member is written under: the text after the last "/" or "\" of
// its stored name, or "" when that name is not safe to create (so the member is
// skipped). Names are GBK: a "\" or "|" that is the second byte of a double-byte
// character is part of the character, not a separator. A name whose flags carry
// general-purpose bit 11 is UTF-8 and is converted to GBK first; a name with no GBK
// form, or one that is not valid GBK, is not safe.

#include <cstdint>
#include <string>
#include <string_view>

namespace qev {

inline constexpr uint16_t kZipFlagUtf8Name = 0x0800;

std::string SafeMemberFileName(std::string_view storedName, uint16_t flags = 0);

}  // namespace qev
