#pragma once
// The file-system interface. Portable code never sees a HANDLE or a file descriptor:
// it is handed a FileSystem and works through it. Paths are GBK byte strings; folders
// are separated by "\" (the native implementation on Linux also accepts "/"). Names
// compare without regard to ASCII case, as on Windows.
//
// Every operation reports a Windows error code (SysError); 0 means success.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "base/FileTime.h"

namespace qev {

using SysError = uint32_t;
inline constexpr SysError kErrNone = 0;
inline constexpr SysError kErrFileNotFound = 2;
inline constexpr SysError kErrPathNotFound = 3;
inline constexpr SysError kErrAccessDenied = 5;
inline constexpr SysError kErrInvalidHandle = 6;
inline constexpr SysError kErrSharingViolation = 32;
inline constexpr SysError kErrNotSupported = 50;
inline constexpr SysError kErrFileExists = 80;
inline constexpr SysError kErrDiskFull = 112;
inline constexpr SysError kErrInvalidName = 123;
inline constexpr SysError kErrAlreadyExists = 183;


// Which time stamp of a file (the numbers are the ones the helpers take).
enum class FileTimeKind : int { Creation = 0, LastAccess = 1, LastWrite = 2 };

// Windows file attribute bits.
inline constexpr uint32_t kAttrReadOnly = 0x01;
inline constexpr uint32_t kAttrHidden = 0x02;
inline constexpr uint32_t kAttrSystem = 0x04;
inline constexpr uint32_t kAttrDirectory = 0x10;
inline constexpr uint32_t kAttrArchive = 0x20;
inline constexpr uint32_t kAttrNormal = 0x80;

class InputFile {
 public:
  virtual ~InputFile() = default;
  virtual uint64_t Size() = 0;
  virtual SysError Seek(uint64_t pos) = 0;
  // Reads up to n bytes at the current position; got is 0 at the end of the file.
  virtual SysError Read(void* buf, size_t n, size_t& got) = 0;
};

class OutputFile {
 public:
  // Destroying an open file closes it and drops any error.
  virtual ~OutputFile() = default;
  virtual SysError Write(const void* buf, size_t n) = 0;
  // Flushes and closes; reports a failure to write what was buffered (a full disk).
  virtual SysError Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool FileExists(const std::string& path) = 0;  // a file, not a folder
  virtual bool DirExists(const std::string& path) = 0;   // a folder, not a file

  // Opens for reading; other readers are allowed, writers are denied.
  virtual SysError OpenRead(const std::string& path, std::unique_ptr<InputFile>& out) = 0;
  // Creates the file, or truncates an existing one, for writing.
  virtual SysError Create(const std::string& path, std::unique_ptr<OutputFile>& out) = 0;

  virtual SysError Delete(const std::string& path) = 0;
  virtual SysError Copy(const std::string& from, const std::string& to, bool overwrite) = 0;
  // Renames in one step; with replace an existing target is replaced atomically.
  virtual SysError Rename(const std::string& from, const std::string& to, bool replace) = 0;
  // Creates one folder level; its parent must exist.
  virtual SysError CreateDir(const std::string& path) = 0;

  virtual SysError GetFileTime(const std::string& path, FileTimeKind which, FileTimeTicks& out) = 0;
  virtual SysError SetFileTime(const std::string& path, FileTimeKind which, FileTimeTicks value) = 0;
  virtual SysError GetAttributes(const std::string& path, uint32_t& out) = 0;
  virtual SysError SetAttributes(const std::string& path, uint32_t attrs) = 0;

  // The user's temporary folder, ending in a separator.
  virtual std::string TempDir() = 0;

  // File stamps are kept in UTC; these convert with the system's time-zone bias.
  virtual FileTimeTicks UtcToLocal(FileTimeTicks utc) = 0;
  virtual FileTimeTicks LocalToUtc(FileTimeTicks local) = 0;
};

}  // namespace qev
