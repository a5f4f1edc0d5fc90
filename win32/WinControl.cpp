#include "win32/WinControl.h"

namespace qev::win32 {

std::string WindowTextGbk(HWND hwnd) {
  if (!hwnd) return {};
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring wide(static_cast<size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, wide.data(), n + 1);
  wide.resize(static_cast<size_t>(got > 0 ? got : 0));
  std::string gbk;
  return WideToGbk(wide, gbk) ? gbk : std::string();
}

HWND CreateChild(HWND parent, const wchar_t* windowClass, const std::string& gbkText, DWORD style,
                 int id, const RECT& place, HFONT font) {
  HWND hwnd = CreateWindowExW(
      0, windowClass, GbkToWide(gbkText).c_str(), WS_CHILD | style, place.left, place.top,
      place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (hwnd && font) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return hwnd;
}

}  // namespace qev::win32
