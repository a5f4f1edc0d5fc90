#include "zip/VCLUnZip.h"

#include <zlib.h>

#include <algorithm>
#include <memory>

#include "base/LittleEndian.h"
#include "platform/FileOps.h"
#include "zip/DosTime.h"
#include "zip/MemberName.h"
#include "zip/ZipDirectory.h"
#include "zip/ZipRecords.h"

namespace qev {
namespace {

constexpr size_t kChunk = 256 * 1024;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;
constexpr uint8_t kMadeByUnix = 3;
constexpr uint16_t kFlagEnciphered = 1;

// A stored name that ends in a separator names a folder, which yields nothing.
bool IsFolderEntry(std::string_view stored) {
  return !stored.empty() && (stored.back() == '/' || stored.back() == '\\');
}

// GBK-aware: a "\" that is the trail byte of a double-byte character is no separator.
bool EndsWithSeparator(std::string_view path) {
  bool sep = false;
  for (size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    sep = c == '\\' || c == '/';
    if (c >= 0x81 && c <= 0xFE && i + 1 < path.size()) {
      ++i;
      sep = false;
    }
  }
  return sep;
}

uint32_t MemberAttributes(const ZipMember& m) {
  uint32_t a = m.ExternalAttributes & (kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive);
  uint32_t mode = m.ExternalAttributes >> 16;
  if ((m.VersionMadeBy >> 8) == kMadeByUnix && mode != 0 && !(mode & 0200)) a |= kAttrReadOnly;
  return a ? a : kAttrNormal;
}

enum class Decoded { Ok, BadData, WriteFailed };

}  // namespace

// What every member's extraction reuses: the buffers and the inflate state live as
// long as the extraction, so the heap neither grows nor shrinks per member.
struct ExtractWorkspace {
  std::vector<uint8_t> in = std::vector<uint8_t>(kChunk);
  std::vector<uint8_t> out = std::vector<uint8_t>(kChunk);
  std::vector<uint8_t> pending = std::vector<uint8_t>(kChunk);
  z_stream z{};
  bool zReady = false;
  bool dirChecked = false;  // DestDir exists (checked or created once)
  ~ExtractWorkspace() {
    if (zReady) inflateEnd(&z);
  }
  // A fresh raw inflate, reset when one exists already.
  bool StartInflate() {
    if (zReady) return inflateReset(&z) == Z_OK;
    zReady = inflateInit2(&z, -MAX_WBITS) == Z_OK;
    return zReady;
  }
};

namespace {

// Output through one buffer: the file layer does not buffer.
class BufferedOut {
 public:
  BufferedOut(OutputFile& out, std::vector<uint8_t>& buf) : out_(out), buf_(buf) {}
  bool Put(const uint8_t* p, size_t n) {
    crc_ = crc32(crc_, p, static_cast<uInt>(n));
    total_ += n;
    if (used_ + n > buf_.size() && !Drain()) return false;
    if (n >= buf_.size()) return out_.Write(p, n) == kErrNone;
    std::copy(p, p + n, buf_.data() + used_);
    used_ += n;
    return true;
  }
  bool Drain() {
    bool ok = used_ == 0 || out_.Write(buf_.data(), used_) == kErrNone;
    used_ = 0;
    return ok;
  }
  uint32_t Crc() const { return static_cast<uint32_t>(crc_); }
  uint64_t Total() const { return total_; }

 private:
  OutputFile& out_;
  std::vector<uint8_t>& buf_;
  size_t used_ = 0;
  uLong crc_ = crc32(0, nullptr, 0);
  uint64_t total_ = 0;
};

size_t ReadSome(InputFile& in, uint8_t* buf, uint64_t want) {
  size_t got = 0;
  if (in.Read(buf, static_cast<size_t>(std::min<uint64_t>(want, kChunk)), got))
    throw ZipError("cannot read the archive");
  return got;
}

Decoded CopyStored(InputFile& in, const ZipMember& m, ExtractWorkspace& w, BufferedOut& out) {
  for (uint64_t left = m.CompressedSize; left > 0;) {
    size_t got = ReadSome(in, w.in.data(), left);
    if (got == 0) return Decoded::BadData;
    if (!out.Put(w.in.data(), got)) return Decoded::WriteFailed;
    left -= got;
  }
  return Decoded::Ok;
}

// Stops as bad data when the stream needs more than the declared compressed bytes or
// yields more than the declared uncompressed size.
Decoded Inflate(InputFile& in, const ZipMember& m, ExtractWorkspace& w, BufferedOut& out) {
  if (!w.StartInflate()) return Decoded::BadData;
  z_stream& z = w.z;
  z.avail_in = 0;
  uint64_t leftIn = m.CompressedSize;
  for (;;) {
    if (z.avail_in == 0) {
      if (leftIn == 0) return Decoded::BadData;
      size_t got = ReadSome(in, w.in.data(), leftIn);
      if (got == 0) return Decoded::BadData;
      leftIn -= got;
      z.next_in = w.in.data();
      z.avail_in = static_cast<uInt>(got);
    }
    z.next_out = w.out.data();
    z.avail_out = static_cast<uInt>(w.out.size());
    int r = inflate(&z, Z_NO_FLUSH);
    if (r != Z_OK && r != Z_STREAM_END && r != Z_BUF_ERROR) return Decoded::BadData;
    size_t produced = w.out.size() - z.avail_out;
    if (out.Total() + produced > m.UncompressedSize) return Decoded::BadData;
    if (produced && !out.Put(w.out.data(), produced)) return Decoded::WriteFailed;
    if (r == Z_STREAM_END) return Decoded::Ok;
  }
}

// The position of the member's data, or false when its header or data leave the file.
bool LocateData(InputFile& in, const ZipMember& m, uint64_t& dataStart) {
  uint64_t size = in.Size();
  if (m.LocalHeaderOffset > size || size - m.LocalHeaderOffset < kZipLocalHeaderSize) return false;
  std::string h;
  ReadZipBytes(in, m.LocalHeaderOffset, kZipLocalHeaderSize, h);
  if (LoadLe32(h, 0) != kZipLocalSignature) return false;
  dataStart = m.LocalHeaderOffset + kZipLocalHeaderSize + LoadLe16(h, 26) + LoadLe16(h, 28);
  return dataStart <= size && m.CompressedSize <= size - dataStart;
}

bool SizesPlausible(const ZipMember& m) {
  if (m.Method == kMethodStored) return m.CompressedSize == m.UncompressedSize;
  return m.UncompressedSize <= m.CompressedSize * kMaxDeflateRatio + 1024;
}

}  // namespace

TVCLUnZip::TVCLUnZip(FileSystem& fs, ZipPrompt& prompt) : fs_(fs), prompt_(prompt) {}

void TVCLUnZip::ReadZip() {
  std::unique_ptr<InputFile> in;
  if (fs_.OpenRead(ZipName, in)) throw ZipError("cannot open the archive");
  members_ = ReadZipDirectory(*in);
  read_ = true;
}

int TVCLUnZip::UnZip() {
  if (!read_) ReadZip();
  std::unique_ptr<InputFile> in;
  if (fs_.OpenRead(ZipName, in)) throw ZipError("cannot open the archive");
  std::string dir = DestDir;
  if (!dir.empty() && !EndsWithSeparator(dir)) dir += '\\';
  SkippedNames.clear();
  ExtractWorkspace work;
  int count = 0;
  for (const ZipMember& m : members_)
    if (ExtractMember(*in, m, dir, work)) ++count;
  return count;
}

bool TVCLUnZip::ExtractMember(InputFile& in, const ZipMember& m, const std::string& dir,
                              ExtractWorkspace& work) {
  std::string name = SafeMemberFileName(m.StoredName, m.Flags);
  if (name.empty()) {
    if (!IsFolderEntry(m.StoredName)) SkippedNames.push_back(m.StoredName);
    return false;
  }
  if (m.Flags & kFlagEnciphered) return false;
  std::string target = dir + name;
  if (!work.dirChecked) {
    if (!dir.empty() && !fs_.DirExists(dir) && CreateDirPath(fs_, dir))
      throw ZipError("cannot create the folder " + dir);
    work.dirChecked = true;
  }
  if (fs_.DirExists(target)) return false;
  if (fs_.FileExists(target) && !prompt_.AskReplace(name)) return false;
  if (m.Method != kMethodStored && m.Method != kMethodDeflated) {
    prompt_.ShowError("Zip Error", "Unknown Compression Method");
    return false;
  }
  uint64_t dataStart = 0;
  if (!SizesPlausible(m) || !LocateData(in, m, dataStart)) return false;
  if (in.Seek(dataStart)) throw ZipError("cannot read the archive");

  std::string temp = TempNameBeside(fs_, target);
  std::unique_ptr<OutputFile> file;
  if (fs_.Create(temp, file)) throw ZipError("cannot write " + target);
  BufferedOut out(*file, work.pending);
  Decoded d;
  try {
    d = m.Method == kMethodStored ? CopyStored(in, m, work, out) : Inflate(in, m, work, out);
  } catch (const ZipError&) {
    // A read error of the archive ends the extraction; the partial member goes first.
    file.reset();
    fs_.Delete(temp);
    throw;
  }
  if (d == Decoded::Ok && !out.Drain()) d = Decoded::WriteFailed;
  if (file->Close() && d == Decoded::Ok) d = Decoded::WriteFailed;
  file.reset();
  if (d == Decoded::Ok && (out.Total() != m.UncompressedSize || out.Crc() != m.Crc32))
    d = Decoded::BadData;
  if (d != Decoded::Ok) {
    fs_.Delete(temp);
    if (d == Decoded::WriteFailed) throw ZipError("cannot write " + target);
    return false;
  }

  FileTimeTicks local;
  if (DosDateTimeToTicks(m.DosDateTime, local))
    fs_.SetFileTime(temp, FileTimeKind::LastWrite, fs_.LocalToUtc(local));
  if (RetainAttributes) fs_.SetAttributes(temp, MemberAttributes(m));
  // The player agreed to replace the file, read-only or not.
  uint32_t old = 0;
  bool unlocked = !fs_.GetAttributes(target, old) && (old & kAttrReadOnly) &&
                  !fs_.SetAttributes(target, old & ~kAttrReadOnly);
  if (fs_.Rename(temp, target, true)) {
    fs_.Delete(temp);
    if (unlocked) fs_.SetAttributes(target, old);
    throw ZipError("cannot replace " + target);
  }
  return true;
}

}  // namespace qev
