#include "win32/WinApplication.h"

#include "win32/OwnPath.h"

namespace qev::win32 {

std::string WinApplication::ExeName() const {
  std::string path;
  return OwnExePathGbk(path) ? path : std::string();
}

void WinApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The outer loop must still see it and end.
      terminated_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void WinApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void WinApplication::Minimize() {
  if (HWND h = window_.Handle()) ShowWindow(h, SW_MINIMIZE);
}

void WinApplication::Restore() {
  HWND h = window_.Handle();
  if (h && IsIconic(h)) ShowWindow(h, SW_RESTORE);
}

bool WinApplication::IsMinimized() const {
  HWND h = window_.Handle();
  return h && IsIconic(h);
}

void WinApplication::HideTaskbarWindow() {
  if (HWND h = window_.Handle()) ShowWindow(h, SW_HIDE);
}

void WinApplication::ShowRestoredInFront() {
  HWND h = window_.Handle();
  if (!h) return;
  ShowWindow(h, IsIconic(h) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(h);
}

}  // namespace qev::win32
