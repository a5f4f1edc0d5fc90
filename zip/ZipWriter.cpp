#include "zip/ZipWriter.h"

#include <zlib.h>

#include "base/LittleEndian.h"
#include "zip/VCLUnZip.h"
#include "zip/ZipRecords.h"

namespace qev {
namespace {

constexpr uint16_t kVersion20 = 20;              // Deflate; made by an MS-DOS host
constexpr uint64_t kMaxPlainField = 0xFFFFFFFF;  // this value marks a ZIP64 field
constexpr size_t kMaxNameLength = 0xFFFF;
constexpr uint32_t kMaxPlainCount = 0xFFFF;

[[noreturn]] void TooLarge(const std::string& name) {
  throw ZipError("member " + name + " is too large for a plain ZIP archive");
}

// The fields that the local header and the directory entry share, from "version needed".
void PutCommon(std::string& s, const ZipWriterEntry& e, uint32_t crc, uint64_t packed,
               uint64_t plain) {
  AppendLe16(s, kVersion20);
  AppendLe16(s, e.Flags);
  AppendLe16(s, e.Method);
  AppendLe32(s, e.DosDateTime);
  AppendLe32(s, crc);
  AppendLe32(s, static_cast<uint32_t>(packed));
  AppendLe32(s, static_cast<uint32_t>(plain));
  AppendLe16(s, static_cast<uint32_t>(e.Name.size()));
  AppendLe16(s, 0);  // extra field length
}

}  // namespace

std::string RawDeflate(std::string_view data, int level) {
  // zlib counts its input in 32 bits.
  if (data.size() >= kMaxPlainField) throw ZipError("data too large to deflate");
  z_stream z{};
  if (deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw ZipError("zlib: cannot start deflate");
  std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  int rc = deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  if (rc != Z_STREAM_END) throw ZipError("zlib: deflate did not finish");
  return out;
}

uint32_t ZipCrc32(std::string_view data) {
  uLong crc = crc32(0, nullptr, 0);
  const auto* p = reinterpret_cast<const Bytef*>(data.data());
  // zlib takes lengths in 32 bits: feed larger data in pieces.
  for (size_t left = data.size(); left > 0;) {
    uInt n = static_cast<uInt>(left < 0x40000000 ? left : 0x40000000);
    crc = crc32(crc, p, n);
    p += n;
    left -= n;
  }
  return static_cast<uint32_t>(crc);
}

size_t ZipWriter::AddDeflated(const ZipWriterEntry& entry, std::string_view data, int level) {
  if (data.size() >= kMaxPlainField) TooLarge(entry.Name);
  return AddPacked(entry, ZipCrc32(data), data.size(), RawDeflate(data, level));
}

size_t ZipWriter::AddPacked(const ZipWriterEntry& e, uint32_t crc, uint64_t plainSize,
                            std::string_view packed) {
  const size_t offset = members_.size();
  if (plainSize >= kMaxPlainField || packed.size() >= kMaxPlainField ||
      e.Name.size() > kMaxNameLength || count_ == kMaxPlainCount || offset >= kMaxPlainField)
    TooLarge(e.Name);

  AppendLe32(members_, kZipLocalSignature);
  PutCommon(members_, e, crc, packed.size(), plainSize);
  members_ += e.Name;
  members_ += packed;

  AppendLe32(directory_, kZipDirEntrySignature);
  AppendLe16(directory_, kVersion20);  // made by
  PutCommon(directory_, e, crc, packed.size(), plainSize);
  AppendLe16(directory_, 0);  // comment length
  AppendLe16(directory_, 0);  // disk number start
  AppendLe16(directory_, 0);  // internal attributes
  AppendLe32(directory_, e.ExternalAttributes);
  AppendLe32(directory_, static_cast<uint32_t>(offset));
  directory_ += e.Name;
  ++count_;
  return offset;
}

std::string ZipWriter::Finish() const {
  if (members_.size() >= kMaxPlainField || directory_.size() >= kMaxPlainField)
    throw ZipError("archive too large for the plain ZIP format");
  std::string zip = members_ + directory_;
  AppendLe32(zip, kZipEndSignature);
  AppendLe16(zip, 0);  // this disk
  AppendLe16(zip, 0);  // the directory's disk
  AppendLe16(zip, count_);
  AppendLe16(zip, count_);
  AppendLe32(zip, static_cast<uint32_t>(directory_.size()));
  AppendLe32(zip, static_cast<uint32_t>(members_.size()));
  AppendLe16(zip, 0);  // comment length
  return zip;
}

}  // namespace qev
