#pragma once
// An in-memory FileSystem with Windows name rules: "\" and "/" both separate folders,
// names compare without regard to ASCII case, a file's parent folder must exist.
// Tests can lock a file (as another process holding it open would), make the disk
// full after a number of bytes, and read every file back.

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qev::test {

class MemFileSystem : public FileSystem {
 public:
  MemFileSystem();

  // Test set-up and inspection (create parent folders as needed).
  void AddFile(const std::string& path, std::string data, FileTimeTicks lastWrite = 0);
  void AddDir(const std::string& path);
  std::string Contents(const std::string& path) const;  // "" when missing
  std::vector<std::string> ListFiles() const;            // every file path, sorted (folded)
  // A locked file cannot be opened, replaced, renamed or deleted (sharing violation).
  void Lock(const std::string& path, bool locked = true);
  // Writes fail with kErrDiskFull once this many more bytes have been written.
  void SetSpaceLeft(uint64_t bytes) { space_ = bytes; }
  // Local time = UTC + bias (in ticks).
  void SetLocalBias(int64_t ticks) { bias_ = ticks; }
  // Tick count stamped on newly written files.
  void SetNow(FileTimeTicks now) { now_ = now; }

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
  std::string TempDir() override { return "C:\\TEMP\\"; }
  FileTimeTicks UtcToLocal(FileTimeTicks utc) override { return utc + bias_; }
  FileTimeTicks LocalToUtc(FileTimeTicks local) override { return local - bias_; }

  struct Node {
    std::string name;  // as first spelled
    std::string data;
    FileTimeTicks times[3] = {0, 0, 0};
    uint32_t attrs = kAttrArchive;
    bool locked = false;
  };

 private:
  friend class MemOutputFile;
  static std::string Key(const std::string& path);
  static std::string ParentKey(const std::string& key);
  SysError CheckParent(const std::string& key);
  SysError Consume(size_t n);

  mutable std::recursive_mutex mu_;
  std::map<std::string, Node> files_;
  std::set<std::string> dirs_;
  uint64_t space_ = UINT64_MAX;
  int64_t bias_ = 0;
  FileTimeTicks now_ = 0;
};

}  // namespace qev::test
