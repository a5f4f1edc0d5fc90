#pragma once
// A FileSystem that takes GBK paths, as the launcher's code passes them, over one that
// takes the host's UTF-8 paths. So a member name or a record name read from a file
// lands on disk under the name a Windows player would see.

#include "platform/FileSystem.h"

namespace qev::tool {

class GbkPathFileSystem : public FileSystem {
 public:
  explicit GbkPathFileSystem(FileSystem& host) : host_(host) {}

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
  FileTimeTicks UtcToLocal(FileTimeTicks utc) override { return host_.UtcToLocal(utc); }
  FileTimeTicks LocalToUtc(FileTimeTicks local) override { return host_.LocalToUtc(local); }

 private:
  FileSystem& host_;
};

}  // namespace qev::tool
