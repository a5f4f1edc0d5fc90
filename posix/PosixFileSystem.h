#pragma once
// FileSystem over POSIX calls, for the operator tool and the native tests and benchmarks.
// Path bytes are passed to the system unchanged except that "\" becomes "/". Names are
// compared as the Linux file system does (case-sensitively). Read-only attribute maps
// to the owner's write permission; other attributes are not kept.

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

  std::string Native(const std::string& path) const;

 private:
  bool gbkPaths_;
};

}  // namespace qev
