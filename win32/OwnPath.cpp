#include "win32/OwnPath.h"

#include <windows.h>

#include "win32/Gbk.h"

namespace qev::win32 {

std::wstring OwnExePathWide() {
  // Long paths do not fit MAX_PATH: grow until the name is not cut.
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.resize(buf.size() * 2);
  }
}

bool OwnExePathGbk(std::string& out) {
  const std::wstring wide = OwnExePathWide();
  return !wide.empty() && WideToGbk(wide, out);
}

}  // namespace qev::win32
