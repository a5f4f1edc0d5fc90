#include "win32/Gbk.h"

#include <windows.h>

namespace qev {

namespace {
constexpr UINT kGbkCodePage = 936;
}

std::wstring GbkToWide(std::string_view gbk) {
  if (gbk.empty()) return {};
  const int n = MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk.data(),
                                    static_cast<int>(gbk.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk.data(), static_cast<int>(gbk.size()),
                      out.data(), n);
  return out;
}

bool WideToGbk(std::wstring_view wide, std::string& out) {
  out.clear();
  if (wide.empty()) return true;
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                    static_cast<int>(wide.size()), nullptr, 0, nullptr, &lossy);
  if (n <= 0 || lossy) return false;
  out.resize(static_cast<size_t>(n));
  WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                      static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return true;
}

}  // namespace qev
