#include "platform/FileOps.h"

#include <atomic>

namespace qev {

namespace {
bool IsSep(char c) { return c == '\\' || c == '/'; }

// Paths are GBK: the second byte of a double-byte character may be 0x5C, the byte of
// "\", so the text is walked character by character from the start.
size_t LastSep(std::string_view path) {
  size_t last = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < path.size()) {
      ++i;
    } else if (IsSep(path[i])) {
      last = i;
    }
  }
  return last;
}
}  // namespace

std::string DirPart(std::string_view path) {
  size_t p = LastSep(path);
  return p == std::string_view::npos ? std::string() : std::string(path.substr(0, p + 1));
}

std::string NamePart(std::string_view path) {
  size_t p = LastSep(path);
  return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

std::string WithoutTrailingSeparator(std::string_view path) {
  if (!path.empty() && LastSep(path) == path.size() - 1) path.remove_suffix(1);
  return std::string(path);
}

SysError ReadWholeFile(FileSystem& fs, const std::string& path, std::string& out) {
  out.clear();
  std::unique_ptr<InputFile> in;
  if (SysError e = fs.OpenRead(path, in)) return e;
  out.resize(static_cast<size_t>(in->Size()));
  size_t done = 0;
  while (done < out.size()) {
    size_t got = 0;
    if (SysError e = in->Read(out.data() + done, out.size() - done, got)) return e;
    if (got == 0) break;
    done += got;
  }
  out.resize(done);
  return kErrNone;
}

std::string TempNameBeside(FileSystem& fs, const std::string& path) {
  static std::atomic<unsigned> counter{0};
  for (;;) {
    std::string name = path + ".~" + std::to_string(counter++) + ".tmp";
    if (!fs.FileExists(name) && !fs.DirExists(name)) return name;
  }
}

SysError ReplaceWithFile(FileSystem& fs, const std::string& source, const std::string& target) {
  SysError e = fs.Rename(source, target, true);
  if (e) fs.Delete(source);
  return e;
}

SysError WriteFileReplacing(FileSystem& fs, const std::string& path, std::string_view data) {
  std::string temp = TempNameBeside(fs, path);
  std::unique_ptr<OutputFile> out;
  if (SysError e = fs.Create(temp, out)) return e;
  SysError e = data.empty() ? kErrNone : out->Write(data.data(), data.size());
  SysError closed = out->Close();
  out.reset();
  if (!e) e = closed;
  if (e) {
    fs.Delete(temp);
    return e;
  }
  return ReplaceWithFile(fs, temp, path);
}

SysError CreateDirPath(FileSystem& fs, const std::string& path) {
  std::string dir = WithoutTrailingSeparator(path);
  if (dir.empty() || fs.DirExists(dir)) return kErrNone;
  std::string parent = WithoutTrailingSeparator(DirPart(dir));
  // Stop at a drive root ("C:") or the file-system root.
  if (!parent.empty() && parent.back() != ':' && !fs.DirExists(parent)) {
    if (SysError e = CreateDirPath(fs, parent)) return e;
  }
  SysError e = fs.CreateDir(dir);
  return (e == kErrAlreadyExists && fs.DirExists(dir)) ? kErrNone : e;
}

}  // namespace qev
