#pragma once
// Folder listings through the host (the launcher's file-system interface has none): the
// files of a game folder for the update folder, and the bitmaps of a skin folder.

#include <string>
#include <vector>

namespace qev::tool {

// Names as the host spells them (UTF-8 on Linux).
struct GameFile {
  std::vector<std::string> NativeFolders;  // folders between the game folder and the file
  std::string NativeName;                  // the file's own name
};

// Every regular file below root, sorted by relative path. Raises ToolError when root is
// not a folder or cannot be listed. Paths and names here are UTF-8.
std::vector<GameFile> ListGameFiles(const std::string& root);

// True when path lies inside (or is) folder, after resolving both.
bool PathInside(const std::string& path, const std::string& folder);

// The names of the regular files directly in dir (sorted); raises ToolError.
std::vector<std::string> ListFileNames(const std::string& dir);

}  // namespace qev::tool
