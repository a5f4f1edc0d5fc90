#include "posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace qev {

namespace {

constexpr FileTimeTicks kUnixEpochTicks = 116444736000000000ULL;

SysError FromErrno(int e) {
  switch (e) {
    case 0:
      return kErrNone;
    case ENOENT:
      return kErrFileNotFound;
    case ENOTDIR:
      return kErrPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
      return kErrAccessDenied;
    case EEXIST:
      return kErrAlreadyExists;
    case ENOSPC:
    case EDQUOT:
      return kErrDiskFull;
    case ENAMETOOLONG:
    case EINVAL:
      return kErrInvalidName;
    default:
      return kErrAccessDenied;
  }
}

FileTimeTicks ToTicks(const timespec& ts) {
  return kUnixEpochTicks + static_cast<FileTimeTicks>(ts.tv_sec) * kTicksPerSecond +
         static_cast<FileTimeTicks>(ts.tv_nsec) / 100;
}

timespec FromTicks(FileTimeTicks t) {
  timespec ts{};
  int64_t rel = static_cast<int64_t>(t - kUnixEpochTicks);
  ts.tv_sec = static_cast<time_t>(rel / static_cast<int64_t>(kTicksPerSecond));
  ts.tv_nsec = static_cast<long>((rel % static_cast<int64_t>(kTicksPerSecond)) * 100);
  if (ts.tv_nsec < 0) {
    ts.tv_nsec += 1000000000L;
    ts.tv_sec -= 1;
  }
  return ts;
}

class PosixInputFile : public InputFile {
 public:
  explicit PosixInputFile(int fd) : fd_(fd) {}
  ~PosixInputFile() override { ::close(fd_); }
  uint64_t Size() override {
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
  }
  SysError Seek(uint64_t pos) override {
    return ::lseek(fd_, static_cast<off_t>(pos), SEEK_SET) < 0 ? FromErrno(errno) : kErrNone;
  }
  SysError Read(void* buf, size_t n, size_t& got) override {
    for (;;) {
      ssize_t r = ::read(fd_, buf, n);
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) {
        got = 0;
        return FromErrno(errno);
      }
      got = static_cast<size_t>(r);
      return kErrNone;
    }
  }

 private:
  int fd_;
};

class PosixOutputFile : public OutputFile {
 public:
  explicit PosixOutputFile(int fd) : fd_(fd) {}
  ~PosixOutputFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  SysError Write(const void* buf, size_t n) override {
    const char* p = static_cast<const char*>(buf);
    while (n > 0) {
      ssize_t w = ::write(fd_, p, n);
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return FromErrno(errno);
      p += w;
      n -= static_cast<size_t>(w);
    }
    return kErrNone;
  }
  SysError Close() override {
    if (fd_ < 0) return kErrInvalidHandle;
    int r = ::close(fd_);
    fd_ = -1;
    return r == 0 ? kErrNone : FromErrno(errno);
  }

 private:
  int fd_;
};

}  // namespace

std::string PosixFileSystem::Native(const std::string& path) const {
  std::string p = path;
  for (size_t i = 0; i < p.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(p[i]);
    if (gbkPaths_ && c >= 0x81 && c <= 0xFE && i + 1 < p.size())
      ++i;
    else if (c == '\\')
      p[i] = '/';
  }
  std::lock_guard<std::mutex> lock(mutex_);
  return Resolve(p);
}

std::string PosixFileSystem::Fold(const std::string& name) const {
  std::string f = name;
  for (size_t i = 0; i < f.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(f[i]);
    if (gbkPaths_ && c >= 0x81 && c <= 0xFE && i + 1 < f.size())
      ++i;  // a GBK trail byte is no letter
    else if (c >= 'a' && c <= 'z')
      f[i] = static_cast<char>(c - 'a' + 'A');
  }
  return f;
}

const PosixFileSystem::FolderNames* PosixFileSystem::Listing(const std::string& folder) const {
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return nullptr;
  FolderNames& f = folders_[folder];
  if (f.ino == st.st_ino && f.mtime.tv_sec == st.st_mtim.tv_sec &&
      f.mtime.tv_nsec == st.st_mtim.tv_nsec)
    return &f;
  f = FolderNames{st.st_ino, st.st_mtim, {}};
  if (DIR* d = ::opendir(folder.c_str())) {
    while (dirent* e = ::readdir(d)) f.byFolded.emplace(Fold(e->d_name), e->d_name);
    ::closedir(d);
  }
  return &f;
}

// Only a path that does not exist as spelt costs more than one lstat: its folder is
// listed once and kept while the folder's change time stays the same.
std::string PosixFileSystem::Resolve(const std::string& native) const {
  struct stat st {};
  if (native.empty() || ::lstat(native.c_str(), &st) == 0) return native;
  size_t slash = native.find_last_of('/');
  std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
  if (name.empty() || name == "." || name == "..") return native;
  std::string folder = slash == std::string::npos ? "."
                       : slash == 0               ? "/"
                                                  : native.substr(0, slash);
  folder = Resolve(folder);
  std::string prefix = slash == std::string::npos ? "" : folder == "/" ? "/" : folder + "/";
  const FolderNames* f = Listing(folder);
  if (!f) return prefix + name;
  auto it = f->byFolded.find(Fold(name));
  return prefix + (it == f->byFolded.end() ? name : it->second);
}

void PosixFileSystem::Noted(const std::string& native, bool added) const {
  size_t slash = native.find_last_of('/');
  std::string folder = slash == std::string::npos ? "."
                       : slash == 0               ? "/"
                                                  : native.substr(0, slash);
  std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = folders_.find(folder);
  if (it == folders_.end()) return;
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) {
    folders_.erase(it);
    return;
  }
  it->second.mtime = st.st_mtim;
  if (added)
    it->second.byFolded[Fold(name)] = name;
  else
    it->second.byFolded.erase(Fold(name));
}

bool PosixFileSystem::FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(Native(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool PosixFileSystem::DirExists(const std::string& path) {
  struct stat st {};
  return ::stat(Native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

SysError PosixFileSystem::OpenRead(const std::string& path, std::unique_ptr<InputFile>& out) {
  if (DirExists(path)) return kErrAccessDenied;
  int fd = ::open(Native(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FromErrno(errno);
  out = std::make_unique<PosixInputFile>(fd);
  return kErrNone;
}

SysError PosixFileSystem::Create(const std::string& path, std::unique_ptr<OutputFile>& out) {
  std::string native = Native(path);
  int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return FromErrno(errno);
  Noted(native, true);
  out = std::make_unique<PosixOutputFile>(fd);
  return kErrNone;
}

SysError PosixFileSystem::Delete(const std::string& path) {
  if (DirExists(path)) return kErrAccessDenied;
  std::string native = Native(path);
  if (::unlink(native.c_str()) != 0) return FromErrno(errno);
  Noted(native, false);
  return kErrNone;
}

SysError PosixFileSystem::Copy(const std::string& from, const std::string& to, bool overwrite) {
  if (!overwrite && (FileExists(to) || DirExists(to))) return kErrFileExists;
  std::unique_ptr<InputFile> in;
  if (SysError e = OpenRead(from, in)) return e;
  std::unique_ptr<OutputFile> out;
  if (SysError e = Create(to, out)) return e;
  std::string buf(1 << 16, '\0');
  for (;;) {
    size_t got = 0;
    if (SysError e = in->Read(buf.data(), buf.size(), got)) return e;
    if (got == 0) break;
    if (SysError e = out->Write(buf.data(), got)) return e;
  }
  return out->Close();
}

SysError PosixFileSystem::Rename(const std::string& from, const std::string& to, bool replace) {
  if (!FileExists(from)) return kErrFileNotFound;
  if (!replace && (FileExists(to) || DirExists(to))) return kErrAlreadyExists;
  std::string source = Native(from), target = Native(to);
  if (::rename(source.c_str(), target.c_str()) != 0) return FromErrno(errno);
  Noted(source, false);
  Noted(target, true);
  return kErrNone;
}

SysError PosixFileSystem::CreateDir(const std::string& path) {
  std::string native = Native(path);
  if (::mkdir(native.c_str(), 0755) != 0) return FromErrno(errno);
  Noted(native, true);
  return kErrNone;
}

SysError PosixFileSystem::GetFileTime(const std::string& path, FileTimeKind which,
                                      FileTimeTicks& out) {
  struct stat st {};
  if (::stat(Native(path).c_str(), &st) != 0) return FromErrno(errno);
  // Linux keeps no creation time that stat reports; the change time stands in for it.
  out = ToTicks(which == FileTimeKind::LastWrite    ? st.st_mtim
                : which == FileTimeKind::LastAccess ? st.st_atim
                                                    : st.st_ctim);
  return kErrNone;
}

SysError PosixFileSystem::SetFileTime(const std::string& path, FileTimeKind which,
                                      FileTimeTicks value) {
  timespec ts[2];
  ts[0].tv_nsec = ts[1].tv_nsec = UTIME_OMIT;
  ts[0].tv_sec = ts[1].tv_sec = 0;
  if (which == FileTimeKind::LastAccess) ts[0] = FromTicks(value);
  if (which == FileTimeKind::LastWrite) ts[1] = FromTicks(value);
  // Linux keeps no creation time that could be set.
  if (which == FileTimeKind::Creation)
    return FileExists(path) ? kErrNotSupported : kErrFileNotFound;
  return ::utimensat(AT_FDCWD, Native(path).c_str(), ts, 0) == 0 ? kErrNone : FromErrno(errno);
}

SysError PosixFileSystem::GetAttributes(const std::string& path, uint32_t& out) {
  struct stat st {};
  if (::stat(Native(path).c_str(), &st) != 0) return FromErrno(errno);
  out = S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
  if (!(st.st_mode & S_IWUSR)) out |= kAttrReadOnly;
  return kErrNone;
}

SysError PosixFileSystem::SetAttributes(const std::string& path, uint32_t attrs) {
  struct stat st {};
  std::string p = Native(path);
  if (::stat(p.c_str(), &st) != 0) return FromErrno(errno);
  mode_t mode = st.st_mode & 07777;
  mode = (attrs & kAttrReadOnly) ? (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
  return ::chmod(p.c_str(), mode) == 0 ? kErrNone : FromErrno(errno);
}

std::string PosixFileSystem::TempDir() {
  const char* t = std::getenv("TMPDIR");
  std::string dir = (t && *t) ? t : "/tmp";
  if (dir.back() != '/') dir += '/';
  return dir;
}

FileTimeTicks PosixFileSystem::UtcToLocal(FileTimeTicks utc) {
  time_t secs = static_cast<time_t>((utc - kUnixEpochTicks) / kTicksPerSecond);
  struct tm lt {};
  localtime_r(&secs, &lt);
  return utc + static_cast<FileTimeTicks>(static_cast<int64_t>(lt.tm_gmtoff) * 10000000LL);
}

FileTimeTicks PosixFileSystem::LocalToUtc(FileTimeTicks local) {
  // The bias at the local instant read as UTC is right except within an hour of a change.
  FileTimeTicks guess = local - (UtcToLocal(local) - local);
  return local - (UtcToLocal(guess) - guess);
}

}  // namespace qev
