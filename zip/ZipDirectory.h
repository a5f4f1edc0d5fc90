#pragma once
// Reading a ZIP archive's central directory (with its ZIP64 forms) into member records.

#include <vector>

#include "platform/FileSystem.h"
#include "zip/VCLUnZip.h"

namespace qev {

// Raises ZipError when the archive cannot be read or its directory is damaged.
std::vector<ZipMember> ReadZipDirectory(InputFile& in);

// Reads exactly n bytes at pos into out; raises ZipError on a read error or a short file.
void ReadZipBytes(InputFile& in, uint64_t pos, size_t n, std::string& out);

}  // namespace qev
