#include "GameFolder.h"

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "ToolErrors.h"

namespace qev::tool {

namespace fs = std::filesystem;

std::vector<GameFile> ListGameFiles(const std::string& root) {
  std::error_code ec;
  if (!fs::is_directory(root, ec)) throw ToolError("no game folder " + root);
  std::vector<GameFile> files;
  fs::recursive_directory_iterator it(root, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    GameFile f;
    fs::path rel = it->path().lexically_relative(root);
    for (const fs::path& part : rel.parent_path()) f.NativeFolders.push_back(part.string());
    f.NativeName = rel.filename().string();
    files.push_back(std::move(f));
  }
  if (ec) throw ToolError("cannot list " + root + ": " + ec.message());
  std::sort(files.begin(), files.end(), [](const GameFile& a, const GameFile& b) {
    return std::tie(a.NativeFolders, a.NativeName) < std::tie(b.NativeFolders, b.NativeName);
  });
  return files;
}

bool PathInside(const std::string& path, const std::string& folder) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(path, ec);
  fs::path f = fs::weakly_canonical(folder, ec);
  auto mismatch = std::mismatch(f.begin(), f.end(), p.begin(), p.end());
  return mismatch.first == f.end();
}

}  // namespace qev::tool
