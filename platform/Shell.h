#pragma once
// The shell and registry services: opening documents and programs, reading the
// current user's registry, writing a shell link.

#include <string>

namespace qev {

class Shell {
 public:
  virtual ~Shell() = default;
  // Shell-open with the verb "open" and the normal show state, owned by the main
  // window: a URL or folder (empty parameters and folder) or a program with its
  // parameters and working folder. The system's result value (above 32 on success).
  virtual int Open(const std::string& file, const std::string& parameters,
                   const std::string& directory) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // A text value under HKEY_CURRENT_USER\key; false when the key or value is missing.
  virtual bool ReadCurrentUserString(const std::string& key, const std::string& name,
                                     std::string& value) = 0;
};

// The shell-link object: target path, arguments and working folder saved to a .lnk file.
class ShellLinks {
 public:
  virtual ~ShellLinks() = default;
  // Writes (or overwrites) linkFile; false when the link could not be saved.
  virtual bool Save(const std::string& linkFile, const std::string& target,
                    const std::string& arguments, const std::string& workingDir) = 0;
};

}  // namespace qev
