#include <windows.h>

#include "TextCodec.h"

namespace qev::tool {

namespace {

constexpr UINT kGbk = 936;

bool Convert(UINT from, DWORD fromFlags, UINT to, std::string_view in, std::string& out,
             bool strict) {
  out.clear();
  if (in.empty()) return true;
  int n = MultiByteToWideChar(from, fromFlags, in.data(), static_cast<int>(in.size()), nullptr, 0);
  if (n <= 0) return false;
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(from, fromFlags, in.data(), static_cast<int>(in.size()), wide.data(), n);
  BOOL lost = FALSE;
  BOOL* lostPtr = (strict && to != CP_UTF8) ? &lost : nullptr;
  int m = WideCharToMultiByte(to, 0, wide.data(), n, nullptr, 0, nullptr, lostPtr);
  if (m <= 0 || lost) return false;
  out.resize(static_cast<size_t>(m));
  WideCharToMultiByte(to, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
  return true;
}

}  // namespace

bool Utf8ToGbk(std::string_view utf8, std::string& gbk) {
  return Convert(CP_UTF8, MB_ERR_INVALID_CHARS, kGbk, utf8, gbk, true);
}

bool GbkToUtf8Strict(std::string_view gbk, std::string& utf8) {
  return Convert(kGbk, MB_ERR_INVALID_CHARS, CP_UTF8, gbk, utf8, false);
}

std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  // Without MB_ERR_INVALID_CHARS a byte that is not GBK becomes U+FFFD.
  Convert(kGbk, 0, CP_UTF8, gbk, out, false);
  return out;
}

}  // namespace qev::tool
