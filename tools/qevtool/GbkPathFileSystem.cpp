#include "GbkPathFileSystem.h"

#include "TextCodec.h"

namespace qev::tool {

namespace {

// A path that is not GBK names no file the launcher could have made.
bool Host(const std::string& gbk, std::string& host) { return GbkToUtf8Strict(gbk, host); }

}  // namespace

bool GbkPathFileSystem::FileExists(const std::string& path) {
  std::string h;
  return Host(path, h) && host_.FileExists(h);
}

bool GbkPathFileSystem::DirExists(const std::string& path) {
  std::string h;
  return Host(path, h) && host_.DirExists(h);
}

SysError GbkPathFileSystem::OpenRead(const std::string& path, std::unique_ptr<InputFile>& out) {
  std::string h;
  return Host(path, h) ? host_.OpenRead(h, out) : kErrInvalidName;
}

SysError GbkPathFileSystem::Create(const std::string& path, std::unique_ptr<OutputFile>& out) {
  std::string h;
  return Host(path, h) ? host_.Create(h, out) : kErrInvalidName;
}

SysError GbkPathFileSystem::Delete(const std::string& path) {
  std::string h;
  return Host(path, h) ? host_.Delete(h) : kErrInvalidName;
}

SysError GbkPathFileSystem::Copy(const std::string& from, const std::string& to, bool overwrite) {
  std::string f, t;
  return Host(from, f) && Host(to, t) ? host_.Copy(f, t, overwrite) : kErrInvalidName;
}

SysError GbkPathFileSystem::Rename(const std::string& from, const std::string& to, bool replace) {
  std::string f, t;
  return Host(from, f) && Host(to, t) ? host_.Rename(f, t, replace) : kErrInvalidName;
}

SysError GbkPathFileSystem::CreateDir(const std::string& path) {
  std::string h;
  return Host(path, h) ? host_.CreateDir(h) : kErrInvalidName;
}

SysError GbkPathFileSystem::GetFileTime(const std::string& path, FileTimeKind which,
                                        FileTimeTicks& out) {
  std::string h;
  return Host(path, h) ? host_.GetFileTime(h, which, out) : kErrInvalidName;
}

SysError GbkPathFileSystem::SetFileTime(const std::string& path, FileTimeKind which,
                                        FileTimeTicks value) {
  std::string h;
  return Host(path, h) ? host_.SetFileTime(h, which, value) : kErrInvalidName;
}

SysError GbkPathFileSystem::GetAttributes(const std::string& path, uint32_t& out) {
  std::string h;
  return Host(path, h) ? host_.GetAttributes(h, out) : kErrInvalidName;
}

SysError GbkPathFileSystem::SetAttributes(const std::string& path, uint32_t attrs) {
  std::string h;
  return Host(path, h) ? host_.SetAttributes(h, attrs) : kErrInvalidName;
}

std::string GbkPathFileSystem::TempDir() {
  std::string host = host_.TempDir(), gbk;
  return Utf8ToGbk(host, gbk) ? gbk : host;
}

}  // namespace qev::tool
