#include "win32/SocketTexts.h"

#include <windows.h>

#include <cstdio>
#include <string_view>
#include <vector>

#include "win32/Gbk.h"

namespace qev::win32 {

namespace {

// The system's message for code, as GBK; empty when there is none.
std::string SystemErrorText(int code) {
  wchar_t* buffer = nullptr;
  const DWORD flags =
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  const DWORD length = FormatMessageW(flags, nullptr, static_cast<DWORD>(code), 0,
                                      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring_view wide(buffer ? buffer : L"", buffer ? length : 0);
  while (!wide.empty() && (wide.back() <= L' ' || wide.back() == L'.')) wide.remove_suffix(1);
  std::string text;
  WideToGbk(wide, text);
  if (buffer) LocalFree(buffer);
  return text;
}

template <class... Args>
std::string Format(const char* pattern, Args... args) {
  const int n = std::snprintf(nullptr, 0, pattern, args...);
  if (n <= 0) return pattern;
  std::vector<char> out(static_cast<size_t>(n) + 1);
  std::snprintf(out.data(), out.size(), pattern, args...);
  return std::string(out.data(), static_cast<size_t>(n));
}

}  // namespace

std::string SocketCallFailedText(int code, const char* api) {
  return Format(socket_texts::kCallFailed, SystemErrorText(code).c_str(), code, api);
}

std::string AsyncSocketFailedText(int code) { return Format(socket_texts::kAsyncFailed, code); }

}  // namespace qev::win32
