#pragma once
// FileSystem over POSIX calls, for the operator tool and the native tests and benchmarks.
// Path bytes are passed to the system unchanged except that "\" becomes "/". Names
// compare without regard to ASCII case, as on Windows: a path that does not exist as
// spelt names the entry whose name differs only in case, when there is one. The
// read-only attribute maps to the owner's write permission; other attributes are not
// kept. Creation times cannot be set (the result is kErrNotSupported).

#include <sys/types.h>

#include <ctime>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/FileSystem.h"

namespace qev {

class PosixFileSystem : public FileSystem {
 public:
  // gbkPaths: the path bytes are GBK, so a "\" that is the second byte of a double-byte
  // character belongs to a name and is kept; otherwise every "\" is a separator.
  explicit PosixFileSystem(bool gbkPaths = false) : gbkPaths_(gbkPaths) {}

  bool FileExists(const std::string& path) override;
  bool DirExists(const std::string& path) override;
  SysError OpenRead(const std::string& path, std::unique_ptr<InputFile>& out) override;
  SysError Create(const std::string& path, std::unique_ptr<OutputFile>& out) override;
  SysError Delete(const std::string& path) override;
  SysError Copy(const std::string& from, const std::string& to, bool overwrite) override;
  SysError Rename(const std::string& from, const std::string& to, bool replace) override;
  SysError CreateDir(const std::string& path) override;
  SysError GetFileTime(const std::string& path, FileTimeKind which, FileTimeTicks& out) override;
  SysError SetFileTime(const std::string& path, FileTimeKind which, FileTimeTicks value) override;
  SysError GetAttributes(const std::string& path, uint32_t& out) override;
  SysError SetAttributes(const std::string& path, uint32_t attrs) override;
  std::string TempDir() override;
  FileTimeTicks UtcToLocal(FileTimeTicks utc) override;
  FileTimeTicks LocalToUtc(FileTimeTicks local) override;

  // The path as the system spells it: separators turned, case resolved.
  std::string Native(const std::string& path) const;

 private:
  // The names of one folder by folded name, valid while the folder is unchanged.
  struct FolderNames {
    ino_t ino = 0;
    timespec mtime{};
    std::unordered_map<std::string, std::string> byFolded;
  };

  std::string Resolve(const std::string& native) const;
  std::string Fold(const std::string& name) const;
  const FolderNames* Listing(const std::string& folder) const;
  // Keeps a listed folder up to date after this object added or removed an entry.
  void Noted(const std::string& native, bool added) const;

  bool gbkPaths_;
  mutable std::mutex mutex_;
  mutable std::unordered_map<std::string, FolderNames> folders_;
};

}  // namespace qev
