#include "win32/MainWindow.h"

#include "win32/Gbk.h"
#include "win32/PlainFace.h"

namespace qev::win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// The window rectangle whose client area has the fixed size, centred on the screen.
RECT CentredWindowRect() {
  RECT r = {0, 0, kMainClientWidth, kMainClientHeight};
  AdjustWindowRectEx(&r, kStyle, FALSE, 0);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  return RECT{x, y, x + w, y + h};
}

bool RegisterMainClass(HINSTANCE instance, const std::wstring& name, WNDPROC proc) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = name.c_str();
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool MainWindow::Create(HINSTANCE instance, std::string_view className, std::string_view title) {
  const std::wstring wideClass = GbkToWide(className);
  if (!RegisterMainClass(instance, wideClass, &MainWindow::WindowProc)) return false;
  title_ = title;
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  const RECT r = CentredWindowRect();
  hwnd_ = CreateWindowExW(0, wideClass.c_str(), GbkToWide(title).c_str(), kStyle, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, this);
  if (!hwnd_) return false;
  tray_.Add(hwnd_, title_);
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
  return true;
}

void MainWindow::MinimizeToTray() {
  ShowWindow(hwnd_, SW_MINIMIZE);
  ShowWindow(hwnd_, SW_HIDE);
}

void MainWindow::Restore() {
  if (restoring_) return;
  restoring_ = true;
  ShowWindow(hwnd_, SW_RESTORE);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  restoring_ = false;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->OnMessage(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kRestoreMessage:
      Restore();
      return 0;
    case TrayIcon::kCallbackMessage:
      OnTrayMouse(static_cast<UINT>(lp));
      return 0;
    case WM_SYSCOMMAND:
      if ((wp & 0xfff0) == SC_MINIMIZE) {
        MinimizeToTray();
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return TRUE;  // WM_PAINT covers every pixel
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_DESTROY:
      tray_.Remove();
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      PostQuitMessage(0);
      return 0;
    default:
      if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        tray_.Add(hwnd_, title_);
        return 0;
      }
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void MainWindow::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  PaintPlainFace(dc, client, GbkToWide(title_));
  EndPaint(hwnd_, &ps);
}

void MainWindow::OnTrayMouse(UINT mouseMessage) {
  if (mouseMessage != WM_LBUTTONDOWN) return;
  if (IsIconic(hwnd_) || !IsWindowVisible(hwnd_)) {
    Restore();
  } else {
    MinimizeToTray();
  }
}

}  // namespace qev::win32
