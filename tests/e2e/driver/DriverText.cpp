#include "DriverText.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace driver {

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), out.data(), n);
  return out;
}

std::string FromHex(const char* hex) {
  std::string out;
  for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
    char pair[3] = {hex[i], hex[i + 1], 0};
    out += static_cast<char>(strtoul(pair, nullptr, 16));
  }
  return out;
}

std::string Json(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::wstring TextOf(HWND h) {
  wchar_t buf[4096] = {};
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(h, WM_GETTEXT, std::size(buf), (LPARAM)buf, SMTO_ABORTIFHUNG, 5000,
                           &got))
    // A window busy for that long still has the text the system keeps for it.
    InternalGetWindowText(h, buf, (int)std::size(buf));
  return buf;
}

std::wstring ClassOf(HWND h) {
  wchar_t buf[256] = {};
  GetClassNameW(h, buf, std::size(buf));
  return buf;
}

std::wstring WithoutAmpersands(const std::wstring& s) {
  std::wstring out;
  for (wchar_t c : s)
    if (c != L'&') out += c;
  return out;
}

HWND ParseHwnd(const char* s) { return (HWND)(ULONG_PTR)strtoull(s, nullptr, 0); }

unsigned long ParseNumber(const char* s) { return strtoul(s, nullptr, 0); }

}  // namespace driver
