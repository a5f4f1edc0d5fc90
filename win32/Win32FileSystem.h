#pragma once
// FileSystem over the wide Windows API: GBK paths are converted with code page 936,
// errors are GetLastError codes, file times are FILETIME values.

#include "platform/FileSystem.h"

namespace qev {

class Win32FileSystem : public FileSystem {
 public:
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
};

}  // namespace qev
