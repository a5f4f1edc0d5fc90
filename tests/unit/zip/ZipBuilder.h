#pragma once
// Builds ZIP archives member by member for the tests, with every field open to
// mischief: names, methods, flags, CRCs and sizes can be set to lie.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/LittleEndian.h"
#include "zip/ZipWriter.h"

namespace qev::test {

struct ZipEntryDraft {
  std::string name;
  std::string data;     // plain bytes
  uint16_t method = 8;  // 8: deflated with zlib, anything else: stored as is
  uint16_t flags = 0;
  uint32_t dosDateTime = 0x5A8C6000;  // 2025-04-12 12:00:00
  uint32_t externalAttributes = 0x20;
  uint16_t madeBy = 20;                                      // MS-DOS
  std::optional<uint32_t> crc;                               // lie about the CRC
  std::optional<uint32_t> compressedSize, uncompressedSize;  // lie about the sizes
};

// The fields that the local header and the directory entry share, from "version needed".
inline void PutCommon(std::string& s, const ZipEntryDraft& e, uint32_t crc, uint32_t csize,
                      uint32_t usize) {
  AppendLe16(s, 20);
  AppendLe16(s, e.flags);
  AppendLe16(s, e.method);
  AppendLe32(s, e.dosDateTime);
  AppendLe32(s, crc);
  AppendLe32(s, csize);
  AppendLe32(s, usize);
  AppendLe16(s, static_cast<uint32_t>(e.name.size()));
  AppendLe16(s, 0);
}

inline std::string BuildZip(const std::vector<ZipEntryDraft>& entries,
                            const std::string& comment = "") {
  std::string body, dir;
  for (const ZipEntryDraft& e : entries) {
    std::string packed = e.method == 8 ? RawDeflate(e.data) : e.data;
    uint32_t crc = e.crc.value_or(ZipCrc32(e.data));
    uint32_t csize = e.compressedSize.value_or(static_cast<uint32_t>(packed.size()));
    uint32_t usize = e.uncompressedSize.value_or(static_cast<uint32_t>(e.data.size()));
    uint32_t offset = static_cast<uint32_t>(body.size());
    body += "PK\3\4";
    PutCommon(body, e, crc, csize, usize);
    body += e.name + packed;

    dir += "PK\1\2";
    AppendLe16(dir, e.madeBy);
    PutCommon(dir, e, crc, csize, usize);
    AppendLe16(dir, 0);  // comment length
    AppendLe32(dir, 0);  // disk number, internal attributes
    AppendLe32(dir, e.externalAttributes);
    AppendLe32(dir, offset);
    dir += e.name;
  }
  std::string out = body + dir + "PK\5\6";
  AppendLe32(out, 0);
  AppendLe16(out, static_cast<uint32_t>(entries.size()));
  AppendLe16(out, static_cast<uint32_t>(entries.size()));
  AppendLe32(out, static_cast<uint32_t>(dir.size()));
  AppendLe32(out, static_cast<uint32_t>(body.size()));
  AppendLe16(out, static_cast<uint32_t>(comment.size()));
  return out + comment;
}

}  // namespace qev::test
