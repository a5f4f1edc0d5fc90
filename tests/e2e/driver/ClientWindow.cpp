#include "ClientWindow.h"

#include <windows.h>

namespace driver {

namespace {

constexpr int kWidth = 720, kHeight = 420, kMargin = 16;

LRESULT CALLBACK ClientProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wp), RGB(0, 0, 0));
      SetTextColor(reinterpret_cast<HDC>(wp), RGB(235, 220, 170));
      return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

std::wstring FromGbk(const std::string& bytes) {
  if (bytes.empty()) return std::wstring();
  const int n = MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), w.data(), n);
  return w;
}

int ShowClientWindow(const std::wstring& title, const std::wstring& text) {
  const HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ClientProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = L"QevFakeClient";
  RegisterClassW(&wc);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2 + 120;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2 + 80;
  HWND window = CreateWindowExW(0, wc.lpszClassName, title.c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, x, y,
                                kWidth, kHeight, nullptr, nullptr, inst, nullptr);
  RECT client;
  GetClientRect(window, &client);
  HWND label = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT,
                               kMargin, kMargin, client.right - 2 * kMargin,
                               client.bottom - 2 * kMargin, window, nullptr, inst, nullptr);
  HFONT font = CreateFontW(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"SimSun");
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DeleteObject(font);
  return 0;
}

}  // namespace driver
