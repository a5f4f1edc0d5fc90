#include "OutputFiles.h"

#include "ToolErrors.h"
#include "platform/FileOps.h"

namespace qev::tool {

std::string SysErrorText(SysError code) {
  switch (code) {
    case kErrFileNotFound:
      return "file not found";
    case kErrPathNotFound:
      return "folder not found";
    case kErrAccessDenied:
      return "access denied";
    case kErrSharingViolation:
      return "file in use";
    case kErrFileExists:
    case kErrAlreadyExists:
      return "already exists";
    case kErrDiskFull:
      return "disk full";
    case kErrInvalidName:
      return "invalid name";
    default:
      return "system error " + std::to_string(code);
  }
}

void RequireReplaceable(FileSystem& fs, const std::string& path, bool force) {
  if (fs.DirExists(path)) throw ToolError(path + " is a folder");
  if (fs.FileExists(path) && !force)
    throw ToolError(path + " already exists (use --force to replace it)");
}

void WriteOutputFile(FileSystem& fs, const std::string& path, std::string_view data, bool force) {
  RequireReplaceable(fs, path, force);
  if (SysError e = WriteFileReplacing(fs, path, data))
    throw ToolError("cannot write " + path + ": " + SysErrorText(e));
}

std::string ReadInputFile(FileSystem& fs, const std::string& path) {
  if (fs.DirExists(path)) throw ToolError("cannot read " + path + ": it is a folder");
  std::string data;
  if (SysError e = ReadWholeFile(fs, path, data))
    throw ToolError("cannot read " + path + ": " + SysErrorText(e));
  return data;
}

}  // namespace qev::tool
