#pragma once
// A ZIP archive with a single deflated member, as the patch run expects one: local
// header, raw Deflate data, central directory entry and end record, no data descriptor
// and no archive comment. The member is held in memory while it is compressed.

#include <cstdint>
#include <string>
#include <string_view>

namespace qev::tool {

struct ZipMemberPlan {
  std::string Name;                    // stored name (GBK), no folder part
  uint32_t DosDateTime = 0;            // date in the high 16 bits, time in the low 16 bits
  uint32_t ExternalAttributes = 0x20;  // Windows attributes: archive
};

// The whole archive. Raises ToolError when data is too large for a plain ZIP member.
std::string MakeOneMemberZip(const ZipMemberPlan& member, std::string_view data);

}  // namespace qev::tool
