#include "skin/SkinContainer.h"

#include <cstring>

#include "base/LittleEndian.h"
#include "skin/AsciiCase.h"
#include "skin/PkCipher.h"
#include "skin/SkinInflate.h"
#include "zip/ZipRecords.h"

namespace qev {
namespace {

constexpr size_t kCipherHeaderSize = 12;
constexpr size_t kMaxNameLength = 259;

struct DirEntry {
  uint32_t flags = 0, time = 0, crc = 0, uncompressed = 0, localOffset = 0;
};

// Walks the directory from its offset up to the end record; false when the entry is
// absent or an entry breaks a bound.
bool FindEntry(std::string_view c, size_t dirEnd, std::string_view name, DirEntry& found) {
  size_t pos = LoadLe32(c, dirEnd + 16);
  while (pos < dirEnd) {
    if (dirEnd - pos < kZipDirEntrySize) return false;
    size_t nameLen = LoadLe16(c, pos + 28);
    size_t extraLen = LoadLe16(c, pos + 30), commentLen = LoadLe16(c, pos + 32);
    if (nameLen > kMaxNameLength || c.size() - pos - kZipDirEntrySize < nameLen) return false;
    if (SameNameIgnoringCase(c.substr(pos + kZipDirEntrySize, nameLen), name)) {
      found.flags = LoadLe16(c, pos + 8);
      found.time = LoadLe16(c, pos + 12);
      found.crc = LoadLe32(c, pos + 16);
      found.uncompressed = LoadLe32(c, pos + 24);
      found.localOffset = LoadLe32(c, pos + 42);
      return true;
    }
    pos += kZipDirEntrySize + nameLen + extraLen + commentLen;
  }
  return false;
}

// What a decode that stopped early leaves: as if the bytes written so far were the
// output file, which the size comparison then judges.
uint8_t ResultOfFailedDecode(uint64_t written, uint32_t declared) {
  return written == declared ? kSkinEntryFailed : kSkinEntryRefused;
}

uint8_t Inflate(std::string_view stream, uint32_t declared, std::string& out) {
  // More output than the stream could ever produce means the size is a lie; the
  // decoder's own limit stops a stream that tries.
  if (declared > kMaxSkinFileSize || declared > stream.size() * kMaxDeflateRatio + 1024)
    return kSkinEntryRefused;
  // Room for the declared size at once: growing by doubling copied a large skin's data
  // several times over and touched fresh pages at each step.
  out.reserve(declared);
  InflateStatus s = InflateBuffer(stream, declared, out);
  // The stream goes on past the declared size (also past a declared 0): however it
  // ends, the output's size differs from the directory's.
  if (s == InflateStatus::OutputTooLong) return kSkinEntryRefused;
  if (s != InflateStatus::Ok) {
    uint64_t flushed = out.size() - out.size() % SkinInflater::kFlushSize;
    return ResultOfFailedDecode(flushed, declared);
  }
  if (out.empty()) return kSkinEntryFailed;
  return out.size() == declared ? kSkinEntryDone : kSkinEntryRefused;
}

}  // namespace

uint8_t ExtractSkinEntryFromBytes(std::string_view c, std::string_view entryName,
                                  std::string_view password, std::string& out, std::string* why) {
  out.clear();
  auto result = [&](uint8_t r, const char* reason) {
    if (why) *why = reason;
    return r;
  };
  if (c.size() < 4 || LoadLe16(c, 0) != 0x4B53)
    return result(kSkinEntryFailed, "not a skin container (no \"SK\" at the start)");
  if (c.size() < kZipEndRecordSize) return result(kSkinEntryFailed, "no end record");
  size_t dirEnd = c.size() - kZipEndRecordSize;
  if (LoadLe32(c, dirEnd) != kZipEndSignature || LoadLe16(c, dirEnd + 20) != 0)
    return result(kSkinEntryFailed, "no end record in the last 22 bytes");

  DirEntry e;
  if (!FindEntry(c, dirEnd, entryName, e))
    return result(kSkinEntryFailed, "no skin data entry in the directory");
  size_t at = e.localOffset;
  if (at > c.size() || c.size() - at < kZipLocalHeaderSize)
    return result(kSkinEntryFailed, "the entry's local header lies outside the file");
  size_t skip = kZipLocalHeaderSize + LoadLe16(c, at + 26) + LoadLe16(c, at + 28);
  if (c.size() - at < skip)
    return result(kSkinEntryFailed, "the entry's data lies outside the file");
  std::string_view data = c.substr(at + skip);

  uint8_t r;
  if (e.flags & 1) {
    if (password.empty()) return result(kSkinEntryRefused, kSkinEncipheredReason);
    if (data.size() < kCipherHeaderSize)
      return result(kSkinEntryFailed, "the enciphered entry is cut short");
    PkCipher cipher(password);
    uint8_t header[kCipherHeaderSize];
    std::memcpy(header, data.data(), kCipherHeaderSize);
    cipher.Decrypt(header, kCipherHeaderSize);
    uint32_t check = (e.flags & 8) ? e.time << 16 : e.crc;
    if (header[kCipherHeaderSize - 1] != (check >> 24))
      return result(kSkinEntryRefused, kSkinEncipheredReason);
    std::string plain(data.substr(kCipherHeaderSize));
    cipher.Decrypt(reinterpret_cast<uint8_t*>(plain.data()), plain.size());
    r = Inflate(plain, e.uncompressed, out);
  } else {
    r = Inflate(data, e.uncompressed, out);
  }
  if (r != kSkinEntryDone) out.clear();
  if (r == kSkinEntryFailed) return result(r, "the skin data is empty or its stream is damaged");
  if (r == kSkinEntryRefused)
    return result(r, "the skin data's size differs from its directory entry (damaged data)");
  return result(r, "");
}

uint8_t ReadSkinEntry(FileSystem& fs, const std::string& containerPath, std::string_view entryName,
                      std::string_view password, std::string& out, std::string* why) {
  out.clear();
  auto failed = [&](const char* reason) {
    if (why) *why = reason;
    return kSkinEntryFailed;
  };
  std::unique_ptr<InputFile> in;
  if (!fs.FileExists(containerPath) || fs.OpenRead(containerPath, in))
    return failed("the file is missing or cannot be opened");
  uint64_t size = in->Size();
  if (size > kMaxSkinFileSize) return failed("the file is too large for a skin file");
  std::string bytes(static_cast<size_t>(size), '\0');
  size_t have = 0;
  while (have < bytes.size()) {
    size_t got = 0;
    if (in->Read(bytes.data() + have, bytes.size() - have, got) || got == 0)
      return failed("the file cannot be read");
    have += got;
  }
  return ExtractSkinEntryFromBytes(bytes, entryName, password, out, why);
}

uint8_t ExtractSkinEntry(FileSystem& fs, const std::string& containerPath,
                         std::string_view entryName, const std::string& destPath,
                         std::string_view password) {
  std::string data;
  uint8_t result = ReadSkinEntry(fs, containerPath, entryName, password, data);
  if (result == kSkinEntryDone) {
    std::unique_ptr<OutputFile> out;
    if (fs.Create(destPath, out) || out->Write(data.data(), data.size()) || out->Close())
      result = kSkinEntryFailed;
  }
  if (result != kSkinEntryDone && fs.FileExists(destPath)) fs.Delete(destPath);
  return result;
}

}  // namespace qev
