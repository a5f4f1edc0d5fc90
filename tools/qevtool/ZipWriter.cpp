#include "ZipWriter.h"

#include "ToolErrors.h"
#include "zip/VCLUnZip.h"
#include "zip/ZipWriter.h"

namespace qev::tool {

std::string MakeOneMemberZip(const ZipMemberPlan& member, std::string_view data) {
  ZipWriterEntry entry;
  entry.Name = member.Name;
  entry.DosDateTime = member.DosDateTime;
  entry.ExternalAttributes = member.ExternalAttributes;
  ZipWriter zip;
  try {
    zip.AddDeflated(entry, data);
    return zip.Finish();
  } catch (const ZipError& e) {
    throw ToolError(e.what());
  }
}

}  // namespace qev::tool
