// The yardstick of the start-up benchmark: the least a Win32 program does to show a
// window (register a class, create, show, run the message loop until closed).
#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.lpszClassName = L"QevMinimalWindow";
  if (!RegisterClassW(&wc)) return 1;
  HWND h = CreateWindowExW(0, wc.lpszClassName, L"minimal", WS_POPUP, 200, 200, 864, 568, nullptr,
                           nullptr, instance, nullptr);
  if (!h) return 1;
  ShowWindow(h, show);
  UpdateWindow(h);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
