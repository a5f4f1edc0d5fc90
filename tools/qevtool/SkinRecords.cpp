#include "SkinRecords.h"

#include <cstring>
#include <set>

#include "ToolErrors.h"

namespace qev::tool {

namespace {

constexpr size_t kRecordSize = 77;
constexpr size_t kNameSize = 64;

uint32_t Le32(const std::string& d, size_t at) {
  if (at + 4 > d.size()) throw ToolError("skin data ends inside a record");
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(d[at + static_cast<size_t>(i)]);
  return v;
}

}  // namespace

std::vector<SkinRecordView> WalkSkinRecords(const std::string& d) {
  std::vector<SkinRecordView> records;
  std::set<uint32_t> visited;
  for (uint32_t at = Le32(d, 20);;) {
    if (static_cast<size_t>(at) + kRecordSize > d.size())
      throw ToolError("skin record outside the data");
    if (!visited.insert(at).second) throw ToolError("skin record chain loops");
    uint32_t next = Le32(d, at + 73);
    if (next == 0) return records;
    SkinRecordView r;
    const char* name = d.data() + at;
    r.Name.assign(name, strnlen(name, kNameSize));
    r.Kind = static_cast<uint8_t>(d[at + kNameSize]);
    uint32_t offset = Le32(d, at + 65), size = Le32(d, at + 69);
    if (static_cast<uint64_t>(offset) + size > d.size())
      throw ToolError("skin value outside the data");
    r.Data = d.substr(offset, size);
    records.push_back(std::move(r));
    at = next;
  }
}

}  // namespace qev::tool
