#include "tests/win/win32/WinTestSupport.h"

namespace qev::test {

namespace {

void DispatchWaiting() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= limitMs) return done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    DispatchWaiting();
  }
  return true;
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

std::wstring Wide(const std::string& utf8) {
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string Gbk(const std::string& utf8) {
  const std::wstring wide = Wide(utf8);
  const int n = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string gbk(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), gbk.data(), n, nullptr,
                      nullptr);
  return gbk;
}

}  // namespace qev::test
