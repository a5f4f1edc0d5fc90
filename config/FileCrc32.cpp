#include <memory>
#include <vector>

#include "config/Crc32.h"

namespace qev {

FileCrcResult FileCrc32(FileSystem& fs, const std::string& path) {
  // Read in pieces so a file of any size is checked in constant memory.
  constexpr size_t kPiece = 256 * 1024;
  std::unique_ptr<InputFile> in;
  if (fs.OpenRead(path, in) != kErrNone) return {0, 1};
  std::vector<unsigned char> buf(kPiece);
  uint32_t reg = 0xFFFFFFFFu;
  for (;;) {
    size_t got = 0;
    if (in->Read(buf.data(), buf.size(), got) != kErrNone) return {0, 1};
    if (got == 0) break;
    Crc32Update(buf.data(), got, reg);
  }
  return {reg ^ 0xFFFFFFFFu, 0};
}

}  // namespace qev
