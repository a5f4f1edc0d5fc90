#pragma once
// The file name a ZIP member is written under: the text after the last "/" or "\" of
// its stored name, or "" when that name is not safe to create (so the member is
// skipped). Names are GBK: a "\" or "|" that is the second byte of a double-byte
// character is part of the character, not a separator.

#include <string>
#include <string_view>

namespace qev {

std::string SafeMemberFileName(std::string_view storedName);

}  // namespace qev
