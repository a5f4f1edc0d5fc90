#pragma once
// Builds ZIP archives member by member for the tests, with every field open to
// mischief: names, methods, flags, CRCs and sizes can be set to lie.

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qev::test {

struct ZipEntrySpec {
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

inline void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

inline std::string RawDeflate(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, data.size()) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

inline std::string BuildZip(const std::vector<ZipEntrySpec>& entries,
                            const std::string& comment = "") {
  std::string body, dir;
  for (const ZipEntrySpec& e : entries) {
    std::string packed = e.method == 8 ? RawDeflate(e.data) : e.data;
    uint32_t crc = e.crc.value_or(static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size()))));
    uint32_t csize = e.compressedSize.value_or(static_cast<uint32_t>(packed.size()));
    uint32_t usize = e.uncompressedSize.value_or(static_cast<uint32_t>(e.data.size()));
    uint32_t offset = static_cast<uint32_t>(body.size());
    body += "PK\3\4";
    Put16(body, 20);
    Put16(body, e.flags);
    Put16(body, e.method);
    Put32(body, e.dosDateTime);
    Put32(body, crc);
    Put32(body, csize);
    Put32(body, usize);
    Put16(body, static_cast<uint32_t>(e.name.size()));
    Put16(body, 0);
    body += e.name + packed;

    dir += "PK\1\2";
    Put16(dir, e.madeBy);
    Put16(dir, 20);
    Put16(dir, e.flags);
    Put16(dir, e.method);
    Put32(dir, e.dosDateTime);
    Put32(dir, crc);
    Put32(dir, csize);
    Put32(dir, usize);
    Put16(dir, static_cast<uint32_t>(e.name.size()));
    Put32(dir, 0);
    Put32(dir, 0);
    Put32(dir, e.externalAttributes);
    Put32(dir, offset);
    dir += e.name;
  }
  std::string out = body + dir + "PK\5\6";
  Put32(out, 0);
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put32(out, static_cast<uint32_t>(dir.size()));
  Put32(out, static_cast<uint32_t>(body.size()));
  Put16(out, static_cast<uint32_t>(comment.size()));
  return out + comment;
}

}  // namespace qev::test
