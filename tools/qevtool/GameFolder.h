#pragma once
// The files of a game folder as the update folder lists them. The walk itself uses the
// host's directory listing (the launcher's file-system interface has none).

#include <string>
#include <vector>

namespace qev::tool {

// Names as the host spells them (UTF-8 on Linux).
struct GameFile {
  std::vector<std::string> NativeFolders;  // folders between the game folder and the file
  std::string NativeName;                  // the file's own name
};

// Every regular file below root, sorted by relative path. Raises ToolError when root is
// not a folder or cannot be listed.
std::vector<GameFile> ListGameFiles(const std::string& root);

// True when path lies inside (or is) folder, after resolving both.
bool PathInside(const std::string& path, const std::string& folder);

}  // namespace qev::tool
