#include "win32/WinUpdaterOps.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

namespace qev {

bool WinUpdaterOps::FileExists(const std::wstring& path) {
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinUpdaterOps::CopyOver(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

bool WinUpdaterOps::MoveReplacing(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool WinUpdaterOps::Remove(const std::wstring& path) { return DeleteFileW(path.c_str()) != 0; }

void WinUpdaterOps::Wait(unsigned milliseconds) { ::Sleep(milliseconds); }

std::vector<std::wstring> WinUpdaterOps::Arguments() {
  std::vector<std::wstring> args;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return args;
  for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
  LocalFree(argv);
  return args;
}

std::wstring WinUpdaterOps::OwnPath() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return buf.substr(0, n);
    buf.resize(buf.size() * 2);
  }
}

}  // namespace qev
