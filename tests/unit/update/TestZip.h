#pragma once
// A small ZIP writer for test archives: deflated members (zlib, raw deflate), with their
// folder names as given.

#include <string>
#include <utility>
#include <vector>

namespace qev::test {

// members: {stored name, content}. DOS time 2009-03-01 12:30:00 on every member.
std::string MakeZip(const std::vector<std::pair<std::string, std::string>>& members);

}  // namespace qev::test
