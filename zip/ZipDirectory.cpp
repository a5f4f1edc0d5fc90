#include "zip/ZipDirectory.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "base/LittleEndian.h"
#include "zip/ZipRecords.h"

namespace qev {
namespace {

constexpr uint32_t kZip64LocatorSignature = 0x07064B50;
constexpr uint32_t kZip64EndSignature = 0x06064B50;
constexpr size_t kMaxCommentSize = 65535;
constexpr size_t kZip64LocatorSize = 20;
constexpr size_t kZip64EndSize = 56;
constexpr uint16_t kZip64ExtraId = 0x0001;

[[noreturn]] void Damaged(const std::string& why) { throw ZipError("damaged archive: " + why); }

struct EndRecord {
  uint64_t entries = 0, dirSize = 0, dirOffset = 0;
  uint64_t position = 0;
  // Where the directory must end: the ZIP64 end record when there is one, else this
  // record.
  uint64_t dirEnd = 0;
  // Bytes in front of the archive (a self-extracting stub): every offset it records
  // is short by this much.
  uint64_t prefix = 0;
};

EndRecord FindEndRecord(InputFile& in, uint64_t fileSize) {
  if (fileSize < kZipEndRecordSize) Damaged("no end record");
  size_t tailSize =
      static_cast<size_t>(std::min<uint64_t>(fileSize, kMaxCommentSize + kZipEndRecordSize));
  uint64_t tailStart = fileSize - tailSize;
  std::string tail;
  ReadZipBytes(in, tailStart, tailSize, tail);
  for (size_t at = tailSize - kZipEndRecordSize + 1; at-- > 0;) {
    if (LoadLe32(tail, at) != kZipEndSignature) continue;
    EndRecord e;
    e.position = tailStart + at;
    e.entries = LoadLe16(tail, at + 10);
    e.dirSize = LoadLe32(tail, at + 12);
    e.dirOffset = LoadLe32(tail, at + 16);
    e.dirEnd = e.position;
    return e;
  }
  Damaged("no end record");
}

bool HasSignatureAt(InputFile& in, uint64_t pos, uint32_t signature) {
  if (pos > in.Size() || in.Size() - pos < 4) return false;
  std::string sig;
  ReadZipBytes(in, pos, 4, sig);
  return LoadLe32(sig, 0) == signature;
}

// The ZIP64 end record lies right before its locator. When the locator points
// elsewhere and the record is found there, the distance is the prefix.
void ApplyZip64End(InputFile& in, EndRecord& e) {
  if (e.position < kZip64LocatorSize) return;
  std::string loc;
  ReadZipBytes(in, e.position - kZip64LocatorSize, kZip64LocatorSize, loc);
  if (LoadLe32(loc, 0) != kZip64LocatorSignature) return;
  uint64_t at = LoadLe64(loc, 8);
  uint64_t expected = e.position - kZip64LocatorSize;
  if (!HasSignatureAt(in, at, kZip64EndSignature) && expected >= kZip64EndSize &&
      expected - kZip64EndSize > at &&
      HasSignatureAt(in, expected - kZip64EndSize, kZip64EndSignature)) {
    e.prefix = expected - kZip64EndSize - at;
    at = expected - kZip64EndSize;
  }
  std::string rec;
  ReadZipBytes(in, at, kZip64EndSize, rec);
  if (LoadLe32(rec, 0) != kZip64EndSignature) Damaged("ZIP64 end record");
  e.dirEnd = at;
  e.entries = LoadLe64(rec, 32);
  e.dirSize = LoadLe64(rec, 40);
  e.dirOffset = LoadLe64(rec, 48);
}

// The directory ends where its end record begins. When the recorded offset holds no
// directory but the place the size points back to does, the archive was shifted by a
// prefix; offsets are corrected by that much.
void CorrectForPrefix(InputFile& in, EndRecord& e) {
  if (e.dirSize > e.dirEnd) return;
  uint64_t actual = e.dirEnd - e.dirSize;
  if (e.prefix == 0 && actual > e.dirOffset && e.entries > 0 &&
      !HasSignatureAt(in, e.dirOffset, kZipDirEntrySignature) &&
      HasSignatureAt(in, actual, kZipDirEntrySignature))
    e.prefix = actual - e.dirOffset;
  if (e.prefix && e.dirOffset <= UINT64_MAX - e.prefix) e.dirOffset += e.prefix;
}

// No two members may share bytes: a directory whose entries overlap would multiply
// one stream's output. Each member takes at least its 30-byte local header and its
// compressed data.
void RefuseOverlaps(const std::vector<ZipMember>& members) {
  std::vector<std::pair<uint64_t, uint64_t>> spans;  // (start, compressed size)
  spans.reserve(members.size());
  for (const ZipMember& m : members) spans.emplace_back(m.LocalHeaderOffset, m.CompressedSize);
  std::sort(spans.begin(), spans.end());
  for (size_t i = 1; i < spans.size(); ++i) {
    uint64_t room = spans[i].first - spans[i - 1].first;
    if (room < kZipLocalHeaderSize || room - kZipLocalHeaderSize < spans[i - 1].second)
      Damaged("members overlap");
  }
}

// Sizes and the offset that the fixed fields mark as 0xFFFFFFFF come from the ZIP64
// extra field, in this order.
void ApplyZip64Extra(std::string_view extra, ZipMember& m) {
  for (size_t at = 0; at + 4 <= extra.size();) {
    uint32_t id = LoadLe16(extra, at), len = LoadLe16(extra, at + 2);
    std::string_view body = extra.substr(at + 4, std::min<size_t>(len, extra.size() - at - 4));
    if (id == kZip64ExtraId) {
      size_t p = 0;
      auto take = [&](uint64_t& field) {
        if (field != 0xFFFFFFFF) return;
        if (p + 8 > body.size()) Damaged("ZIP64 extra field");
        field = LoadLe64(body, p);
        p += 8;
      };
      take(m.UncompressedSize);
      take(m.CompressedSize);
      take(m.LocalHeaderOffset);
      return;
    }
    at += 4 + len;
  }
}

}  // namespace

void ReadZipBytes(InputFile& in, uint64_t pos, size_t n, std::string& out) {
  out.assign(n, '\0');
  if (in.Seek(pos)) throw ZipError("cannot read the archive");
  size_t have = 0;
  while (have < n) {
    size_t got = 0;
    if (in.Read(out.data() + have, n - have, got)) throw ZipError("cannot read the archive");
    if (got == 0) Damaged("unexpected end of file");
    have += got;
  }
}

std::vector<ZipMember> ReadZipDirectory(InputFile& in) {
  uint64_t fileSize = in.Size();
  EndRecord e = FindEndRecord(in, fileSize);
  ApplyZip64End(in, e);
  CorrectForPrefix(in, e);
  if (e.dirOffset > fileSize || e.dirSize > fileSize - e.dirOffset)
    Damaged("directory outside the file");
  // Each entry takes at least 46 bytes, which bounds a hostile entry count.
  if (e.entries > e.dirSize / kZipDirEntrySize) Damaged("entry count larger than the directory");

  std::string dir;
  ReadZipBytes(in, e.dirOffset, static_cast<size_t>(e.dirSize), dir);
  std::vector<ZipMember> members;
  members.reserve(static_cast<size_t>(e.entries));
  size_t at = 0;
  for (uint64_t i = 0; i < e.entries; ++i) {
    if (dir.size() - at < kZipDirEntrySize || LoadLe32(dir, at) != kZipDirEntrySignature)
      Damaged("directory entry");
    size_t nameLen = LoadLe16(dir, at + 28), extraLen = LoadLe16(dir, at + 30),
           commentLen = LoadLe16(dir, at + 32);
    if (dir.size() - at - kZipDirEntrySize < nameLen + extraLen + commentLen)
      Damaged("directory entry");
    ZipMember m;
    m.Flags = static_cast<uint16_t>(LoadLe16(dir, at + 8));
    m.Method = static_cast<uint16_t>(LoadLe16(dir, at + 10));
    m.DosDateTime = LoadLe16(dir, at + 14) << 16 | LoadLe16(dir, at + 12);
    m.Crc32 = LoadLe32(dir, at + 16);
    m.CompressedSize = LoadLe32(dir, at + 20);
    m.UncompressedSize = LoadLe32(dir, at + 24);
    m.VersionMadeBy = static_cast<uint16_t>(LoadLe16(dir, at + 4));
    m.ExternalAttributes = LoadLe32(dir, at + 38);
    m.LocalHeaderOffset = LoadLe32(dir, at + 42);
    m.StoredName = dir.substr(at + kZipDirEntrySize, nameLen);
    ApplyZip64Extra(std::string_view(dir).substr(at + kZipDirEntrySize + nameLen, extraLen), m);
    // An offset that leaves the file after the correction stays out of it.
    m.LocalHeaderOffset =
        m.LocalHeaderOffset <= UINT64_MAX - e.prefix ? m.LocalHeaderOffset + e.prefix : UINT64_MAX;
    members.push_back(std::move(m));
    at += kZipDirEntrySize + nameLen + extraLen + commentLen;
  }
  RefuseOverlaps(members);
  return members;
}

}  // namespace qev
