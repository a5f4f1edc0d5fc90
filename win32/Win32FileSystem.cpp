#include "win32/Win32FileSystem.h"

#include <windows.h>

#include "win32/Gbk.h"

namespace qev {

namespace {

constexpr DWORD kMaxChunk = 1u << 30;

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  // False when closing fails (the last buffered write could not be stored).
  bool Close() {
    if (!valid()) return true;
    const BOOL ok = CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok != FALSE;
  }

 private:
  HANDLE h_;
};

// The wide form of a GBK path; false (with the error to report) when it is not GBK.
bool Wide(const std::string& path, std::wstring& out) {
  out = GbkToWide(path);
  return path.empty() || !out.empty();
}

SysError LastError() {
  const DWORD e = GetLastError();
  return e ? e : ERROR_GEN_FAILURE;
}

FILETIME ToFileTime(FileTimeTicks t) {
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(t);
  ft.dwHighDateTime = static_cast<DWORD>(t >> 32);
  return ft;
}

FileTimeTicks FromFileTime(const FILETIME& ft) {
  return (static_cast<FileTimeTicks>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

class Win32InputFile : public InputFile {
 public:
  explicit Win32InputFile(HANDLE h) : h_(h) {}
  uint64_t Size() override {
    LARGE_INTEGER size;
    return GetFileSizeEx(h_.get(), &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
  }
  SysError Seek(uint64_t pos) override {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(pos);
    return SetFilePointerEx(h_.get(), to, nullptr, FILE_BEGIN) ? kErrNone : LastError();
  }
  SysError Read(void* buf, size_t n, size_t& got) override {
    DWORD done = 0;
    const DWORD want = n > kMaxChunk ? kMaxChunk : static_cast<DWORD>(n);
    got = 0;
    if (!ReadFile(h_.get(), buf, want, &done, nullptr)) return LastError();
    got = done;
    return kErrNone;
  }

 private:
  Handle h_;
};

class Win32OutputFile : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE h) : h_(h) {}
  SysError Write(const void* buf, size_t n) override {
    const auto* p = static_cast<const char*>(buf);
    while (n > 0) {
      DWORD done = 0;
      const DWORD want = n > kMaxChunk ? kMaxChunk : static_cast<DWORD>(n);
      if (!WriteFile(h_.get(), p, want, &done, nullptr)) return LastError();
      if (done == 0) return ERROR_DISK_FULL;
      p += done;
      n -= done;
    }
    return kErrNone;
  }
  SysError Close() override { return h_.Close() ? kErrNone : LastError(); }

 private:
  Handle h_;
};

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
  uint32_t attrs = 0;
  return GetAttributes(path, attrs) == kErrNone && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirExists(const std::string& path) {
  uint32_t attrs = 0;
  return GetAttributes(path, attrs) == kErrNone && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

SysError Win32FileSystem::OpenRead(const std::string& path, std::unique_ptr<InputFile>& out) {
  std::wstring w;
  if (!Wide(path, w)) return ERROR_INVALID_NAME;
  HANDLE h = CreateFileW(w.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  out = std::make_unique<Win32InputFile>(h);
  return kErrNone;
}

SysError Win32FileSystem::Create(const std::string& path, std::unique_ptr<OutputFile>& out) {
  std::wstring w;
  if (!Wide(path, w)) return ERROR_INVALID_NAME;
  HANDLE h = CreateFileW(w.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  out = std::make_unique<Win32OutputFile>(h);
  return kErrNone;
}

SysError Win32FileSystem::Delete(const std::string& path) {
  std::wstring w;
  if (!Wide(path, w)) return ERROR_INVALID_NAME;
  return DeleteFileW(w.c_str()) ? kErrNone : LastError();
}

SysError Win32FileSystem::Copy(const std::string& from, const std::string& to, bool overwrite) {
  std::wstring wf, wt;
  if (!Wide(from, wf) || !Wide(to, wt)) return ERROR_INVALID_NAME;
  return CopyFileW(wf.c_str(), wt.c_str(), overwrite ? FALSE : TRUE) ? kErrNone : LastError();
}

SysError Win32FileSystem::Rename(const std::string& from, const std::string& to, bool replace) {
  std::wstring wf, wt;
  if (!Wide(from, wf) || !Wide(to, wt)) return ERROR_INVALID_NAME;
  const DWORD flags = replace ? MOVEFILE_REPLACE_EXISTING : 0;
  return MoveFileExW(wf.c_str(), wt.c_str(), flags) ? kErrNone : LastError();
}

SysError Win32FileSystem::CreateDir(const std::string& path) {
  std::wstring w;
  if (!Wide(path, w)) return ERROR_INVALID_NAME;
  return CreateDirectoryW(w.c_str(), nullptr) ? kErrNone : LastError();
}

SysError Win32FileSystem::GetFileTime(const std::string& path, FileTimeKind which,
                                      FileTimeTicks& out) {
  std::wstring w;
  if (!Wide(path, w)) return ERROR_INVALID_NAME;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(w.c_str(), GetFileExInfoStandard, &data)) return LastError();
  switch (which) {
    case FileTimeKind::Creation:
      out = FromFileTime(data.ftCreationTime);
      break;
    case FileTimeKind::LastAccess:
      out = FromFileTime(data.ftLastAccessTime);
      break;
    case FileTimeKind::LastWrite:
      out = FromFileTime(data.ftLastWriteTime);
      break;
  }
  return kErrNone;
}

SysError Win32FileSystem::SetFileTime(const std::string& path, FileTimeKind which,
                                      FileTimeTicks value) {
  std::wstring w;
  if (!Wide(path, w)) return ERROR_INVALID_NAME;
  Handle h(CreateFileW(w.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.valid()) return LastError();
  const FILETIME ft = ToFileTime(value);
  const FILETIME* stamp[3] = {nullptr, nullptr, nullptr};
  stamp[static_cast<int>(which)] = &ft;
  if (!::SetFileTime(h.get(), stamp[0], stamp[1], stamp[2])) return LastError();
  return kErrNone;
}

SysError Win32FileSystem::GetAttributes(const std::string& path, uint32_t& out) {
  std::wstring w;
  if (!Wide(path, w)) return ERROR_INVALID_NAME;
  const DWORD a = GetFileAttributesW(w.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return LastError();
  out = a;
  return kErrNone;
}

SysError Win32FileSystem::SetAttributes(const std::string& path, uint32_t attrs) {
  std::wstring w;
  if (!Wide(path, w)) return ERROR_INVALID_NAME;
  return SetFileAttributesW(w.c_str(), attrs) ? kErrNone : LastError();
}

std::string Win32FileSystem::TempDir() {
  wchar_t buf[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, buf);
  std::string out;
  if (n == 0 || n > MAX_PATH || !WideToGbk(std::wstring_view(buf, n), out)) return ".\\";
  return out;
}

FileTimeTicks Win32FileSystem::UtcToLocal(FileTimeTicks utc) {
  const FILETIME in = ToFileTime(utc);
  FILETIME local;
  return FileTimeToLocalFileTime(&in, &local) ? FromFileTime(local) : utc;
}

FileTimeTicks Win32FileSystem::LocalToUtc(FileTimeTicks local) {
  const FILETIME in = ToFileTime(local);
  FILETIME utc;
  return LocalFileTimeToFileTime(&in, &utc) ? FromFileTime(utc) : local;
}

}  // namespace qev
