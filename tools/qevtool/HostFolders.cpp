#include "HostFolders.h"

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "ToolErrors.h"

namespace qev::tool {

namespace fs = std::filesystem;

namespace {

// The host's path type from and to UTF-8, whatever the system's narrow code page is.
fs::path FromUtf8(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }

std::string ToUtf8(const fs::path& p) {
  std::u8string u = p.u8string();
  return std::string(u.begin(), u.end());
}

}  // namespace

std::vector<GameFile> ListGameFiles(const std::string& root) {
  std::error_code ec;
  fs::path base = FromUtf8(root);
  if (!fs::is_directory(base, ec)) throw ToolError("no game folder");
  std::vector<GameFile> files;
  fs::recursive_directory_iterator it(base, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    GameFile f;
    fs::path rel = it->path().lexically_relative(base);
    for (const fs::path& part : rel.parent_path()) f.NativeFolders.push_back(ToUtf8(part));
    f.NativeName = ToUtf8(rel.filename());
    files.push_back(std::move(f));
  }
  if (ec) throw ToolError("cannot list the game folder: " + ec.message());
  std::sort(files.begin(), files.end(), [](const GameFile& a, const GameFile& b) {
    return std::tie(a.NativeFolders, a.NativeName) < std::tie(b.NativeFolders, b.NativeName);
  });
  return files;
}

bool PathInside(const std::string& path, const std::string& folder) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(FromUtf8(path), ec);
  fs::path f = fs::weakly_canonical(FromUtf8(folder), ec);
  auto mismatch = std::mismatch(f.begin(), f.end(), p.begin(), p.end());
  return mismatch.first == f.end();
}

std::vector<std::string> ListFileNames(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(FromUtf8(dir), ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file(ec)) names.push_back(ToUtf8(it->path().filename()));
  if (ec) throw ToolError("cannot list a folder: " + ec.message());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace qev::tool
