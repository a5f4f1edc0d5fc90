#include "ZipWriter.h"

#include <zlib.h>

#include "ToolErrors.h"
#include "config/Func.h"

namespace qev::tool {

namespace {

constexpr uint32_t kLocalSignature = 0x04034B50;
constexpr uint32_t kCentralSignature = 0x02014B50;
constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint16_t kVersion20 = 20;  // deflate; made by an MS-DOS host
constexpr uint16_t kMethodDeflate = 8;
constexpr uint64_t kMaxPlainZip = 0xFFFFFFFFull;

void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

std::string RawDeflate(std::string_view data) {
  z_stream z{};
  if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw ToolError("zlib: cannot start deflate");
  std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  int rc = deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  if (rc != Z_STREAM_END) throw ToolError("zlib: deflate did not finish");
  return out;
}

// The fields that the local header and the central entry share, from "version needed".
void PutCommon(std::string& s, const ZipMemberSpec& m, uint32_t crc, size_t packed, size_t size) {
  Put16(s, kVersion20);
  Put16(s, 0);  // flags: not enciphered, sizes in the header
  Put16(s, kMethodDeflate);
  Put16(s, m.DosDateTime & 0xFFFF);
  Put16(s, m.DosDateTime >> 16);
  Put32(s, crc);
  Put32(s, static_cast<uint32_t>(packed));
  Put32(s, static_cast<uint32_t>(size));
  Put16(s, static_cast<uint32_t>(m.Name.size()));
  Put16(s, 0);  // extra field length
}

}  // namespace

std::string MakeOneMemberZip(const ZipMemberSpec& member, std::string_view data) {
  if (data.size() >= kMaxPlainZip || member.Name.size() > 0xFFFF)
    throw ToolError("member " + member.Name + " is too large for a plain ZIP archive");
  uint32_t crc = 0xFFFFFFFF;
  if (!data.empty()) Crc32Update(data.data(), data.size(), crc);
  crc ^= 0xFFFFFFFF;
  std::string packed = RawDeflate(data);
  if (packed.size() >= kMaxPlainZip) throw ToolError("member " + member.Name + " is too large");

  std::string zip;
  Put32(zip, kLocalSignature);
  PutCommon(zip, member, crc, packed.size(), data.size());
  zip += member.Name;
  zip += packed;

  size_t central = zip.size();
  Put32(zip, kCentralSignature);
  Put16(zip, kVersion20);  // made by
  PutCommon(zip, member, crc, packed.size(), data.size());
  Put16(zip, 0);  // comment length
  Put16(zip, 0);  // disk number start
  Put16(zip, 0);  // internal attributes
  Put32(zip, member.ExternalAttributes);
  Put32(zip, 0);  // local header offset
  zip += member.Name;
  size_t centralSize = zip.size() - central;

  Put32(zip, kEndSignature);
  Put16(zip, 0);  // this disk
  Put16(zip, 0);  // directory's disk
  Put16(zip, 1);
  Put16(zip, 1);
  Put32(zip, static_cast<uint32_t>(centralSize));
  Put32(zip, static_cast<uint32_t>(central));
  Put16(zip, 0);  // comment length
  return zip;
}

}  // namespace qev::tool
