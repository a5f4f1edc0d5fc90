#include "update/CryptoText.h"

#include <vector>

namespace qev {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr size_t kFilePiece = 64 * 1024;

}  // namespace

std::string HexText(const uint8_t* data, size_t size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string s;
  s.reserve(size * 2);
  for (size_t i = 0; i < size; ++i) {
    s += kDigits[data[i] >> 4];
    s += kDigits[data[i] & 15];
  }
  return s;
}

bool ReadHexText(std::string_view text, uint8_t* out, size_t size) {
  if (text.size() != size * 2) return false;
  for (size_t i = 0; i < size; ++i) {
    int hi = HexDigit(text[2 * i]), lo = HexDigit(text[2 * i + 1]);
    if (hi < 0 || lo < 0) return false;
    out[i] = static_cast<uint8_t>(hi * 16 + lo);
  }
  return true;
}

bool Sha256Of(Crypto& crypto, std::string_view data, Sha256Digest& out) {
  std::unique_ptr<Sha256Hash> hash = crypto.NewSha256();
  if (!hash) return false;
  hash->Update(data.data(), data.size());
  return hash->Finish(out);
}

bool FileSha256(FileSystem& fs, Crypto& crypto, const std::string& path, Sha256Digest& out) {
  std::unique_ptr<InputFile> file;
  if (fs.OpenRead(path, file) != kErrNone) return false;
  std::unique_ptr<Sha256Hash> hash = crypto.NewSha256();
  if (!hash) return false;
  std::vector<char> piece(kFilePiece);
  uint64_t total = 0;
  for (;;) {
    size_t got = 0;
    if (file->Read(piece.data(), piece.size(), got) != kErrNone) return false;
    if (got == 0) break;
    hash->Update(piece.data(), got);
    total += got;
  }
  // A file that changed size while it was read is not the file that was meant.
  return total == file->Size() && hash->Finish(out);
}

}  // namespace qev
