#pragma once
// The records of a skin's SKINDATA.SK2 in chain order, for listing and unpacking. The
// launcher's reader has already accepted the same bytes when this runs, so the walk
// only needs to stay within bounds.

#include <cstdint>
#include <string>
#include <vector>

namespace qev::tool {

struct SkinRecordView {
  std::string Name;  // up to the first NUL of the 64-byte field
  uint8_t Kind = 0;
  std::string Data;
};

// Every loaded record (NextOffset not 0), unknown kinds included. Raises ToolError when
// the chain leaves the data or loops.
std::vector<SkinRecordView> WalkSkinRecords(const std::string& skinData);

}  // namespace qev::tool
