#include "win32/MainWindow.h"

#include "win32/FaceRegion.h"
#include "win32/Gbk.h"
#include "win32/MainLayout.h"

namespace qev::win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// The window rectangle whose client area has the fixed size, centred on the screen.
RECT CentredWindowRect() {
  RECT r = {0, 0, layout::kClientWidth, layout::kClientHeight};
  AdjustWindowRectEx(&r, kStyle, FALSE, 0);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  return RECT{x, y, x + w, y + h};
}

bool RegisterMainClass(HINSTANCE instance, const std::wstring& name, WNDPROC proc, HICON icon,
                       HICON smallIcon) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
  // The drawn small icon, rather than the large one shrunk (which is also slow to make).
  wc.hIconSm = icon ? smallIcon : nullptr;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;  // the face covers every pixel
  wc.lpszClassName = name.c_str();
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

MainWindow::~MainWindow() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool MainWindow::Create(HINSTANCE instance, std::string_view className, std::string_view title,
                        const FaceBackdrop& face, HICON icon, HICON smallIcon) {
  face_ = &face;
  const std::wstring wideClass = GbkToWide(className);
  if (!RegisterMainClass(instance, wideClass, &MainWindow::WindowProc, icon, smallIcon))
    return false;
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  const RECT r = CentredWindowRect();
  hwnd_ = CreateWindowExW(0, wideClass.c_str(), GbkToWide(title).c_str(), kStyle, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, this);
  if (!hwnd_) return false;
  ShapeWindow(hwnd_, face.Shape(layout::kOutsideColour));
  return true;
}

void MainWindow::Show() {
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
}

void MainWindow::SetCaption(const std::string& caption) {
  SetWindowTextW(hwnd_, GbkToWide(caption).c_str());
}

void MainWindow::Close() {
  if (hwnd_) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void MainWindow::SetBusyCursor(bool busy) {
  busy_ = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
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

ChildHandler* MainWindow::ChildOf(HWND part) const {
  if (!part) return nullptr;
  auto it = children_.find(GetDlgCtrlID(part));
  if (it != children_.end() && it->second->Owns(part)) return it->second;
  // Inner windows of a control (a combo box's field and list) carry no ID of their own.
  for (const auto& [id, child] : children_)
    if (child->Owns(part)) return child;
  return nullptr;
}

bool MainWindow::OnCommand(WPARAM wp, LPARAM lp) {
  const int id = LOWORD(wp);
  if (lp != 0) {
    auto it = children_.find(id);
    if (it == children_.end()) return false;
    it->second->OnCommand(HIWORD(wp));
    return true;
  }
  // A menu item, chosen from a menu or posted by automation.
  auto it = menuItems_.find(id);
  if (it == menuItems_.end()) return false;
  it->second->Run();
  return true;
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kRestoreMessage:
      if (OnRestoreRequest) OnRestoreRequest();
      return 0;
    case TrayIcon::kCallbackMessage:
      if (OnTrayMouse) OnTrayMouse(static_cast<UINT>(lp));
      return 0;
    case WM_SYSCOMMAND:
      if ((wp & 0xfff0) == SC_MINIMIZE && OnMinimizeRequest) {
        OnMinimizeRequest();
        return 0;
      }
      break;
    case WM_COMMAND:
      if (OnCommand(wp, lp)) return 0;
      break;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      auto it = children_.find(int(item.CtlID));
      if (item.CtlType != ODT_MENU && it != children_.end() && it->second->OnDrawItem(item))
        return TRUE;
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      if (ChildHandler* child = ChildOf(reinterpret_cast<HWND>(lp)))
        if (HBRUSH brush = child->OnColour(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp)))
          return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_TIMER: {
      auto it = timers_.find(wp);
      if (it != timers_.end()) it->second->Fire();
      return 0;
    }
    case WM_SETCURSOR:
      if (busy_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      // The face is the caption: a press on it drags the window.
      ReleaseCapture();
      SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
      return 0;
    case WM_ERASEBKGND:
      return TRUE;  // WM_PAINT covers every pixel
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_CLOSE:
      OnCloseRequest();
      return 0;
    case WM_DESTROY:
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        if (OnTaskbarCreated) OnTaskbarCreated();
        return 0;
      }
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void MainWindow::OnCloseRequest() {
  // Every way out comes here: the close button, the tray menu, Alt+F4, WM_CLOSE.
  try {
    if (OnClose) OnClose();
  } catch (...) {
    // The window closes whatever the close handler met: a player who closes must be let go.
  }
  if (OnClosed) OnClosed();
  DestroyWindow(hwnd_);
}

void MainWindow::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  if (face_) face_->Fill(dc, hwnd_, hwnd_, ps.rcPaint);
  EndPaint(hwnd_, &ps);
}

}  // namespace qev::win32
