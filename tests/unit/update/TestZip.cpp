#include "tests/unit/update/TestZip.h"

#include <cstdint>

#include "zip/ZipWriter.h"

namespace qev::test {

namespace {

constexpr uint32_t kDosTime = (12 << 11) | (30 << 5);               // 12:30:00
constexpr uint32_t kDosDate = ((2009 - 1980) << 9) | (3 << 5) | 1;  // 2009-03-01

}  // namespace

std::string MakeZip(const std::vector<std::pair<std::string, std::string>>& members) {
  ZipWriter zip;
  for (const auto& [name, content] : members)
    zip.AddDeflated({name, kDosDate << 16 | kDosTime}, content);
  return zip.Finish();
}

}  // namespace qev::test
