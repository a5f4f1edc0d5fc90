#pragma once
// The launcher's main window: a borderless top-level window of class "tolw3" with a
// fixed client area, centred on the desktop, shaped by its face picture and dragged by
// it. It passes its children's notifications, menu commands and timer ticks on to the
// objects that handle them, and reports the tray icon, the restore message of a second
// start and the minimise command to its owner through the slots below.

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/Controls.h"
#include "win32/FaceBackdrop.h"
#include "win32/TrayIcon.h"
#include "win32/WinControl.h"
#include "win32/WinMenus.h"
#include "win32/WinTimer.h"

namespace qev::win32 {

// Sent by a second launcher to the running one; no parameters.
inline constexpr UINT kRestoreMessage = WM_USER + 11;  // 1035

class MainWindow : public TWindow {
 public:
  MainWindow() = default;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow() override;

  // Registers the window class className and creates the window, hidden, with the
  // shape of face (fuchsia outside) and the given icons; without a small icon the
  // system makes one from icon. Texts are GBK.
  bool Create(HINSTANCE instance, std::string_view className, std::string_view title,
              const FaceBackdrop& face, HICON icon, HICON smallIcon = nullptr);
  HWND Handle() const { return hwnd_; }
  // Shows the window in front.
  void Show();

  std::string Caption() const override { return WindowTextGbk(hwnd_); }
  void SetCaption(const std::string& caption) override;
  // Posts the close request: the close handler runs once the current handler returns.
  void Close() override;

  void AddChild(int id, ChildHandler* child) { children_[id] = child; }
  void AddMenuItem(WinMenuItem* item) { menuItems_[item->Id()] = item; }
  void AddTimer(WinTimer* timer) { timers_[timer->Id()] = timer; }
  // The hourglass over the whole window while busy.
  void SetBusyCursor(bool busy);

  // Tray icon mouse messages (WM_LBUTTONDOWN, WM_RBUTTONUP, ...).
  std::function<void(UINT mouseMessage)> OnTrayMouse;
  std::function<void()> OnRestoreRequest;
  std::function<void()> OnMinimizeRequest;
  // After OnClose, just before the window goes away.
  std::function<void()> OnClosed;
  // The taskbar was re-created (the tray icon must be added again).
  std::function<void()> OnTaskbarCreated;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void OnPaint();
  void OnCloseRequest();
  bool OnCommand(WPARAM wp, LPARAM lp);
  ChildHandler* ChildOf(HWND part) const;

  HWND hwnd_ = nullptr;
  const FaceBackdrop* face_ = nullptr;
  UINT taskbarCreated_ = 0;
  bool busy_ = false;
  std::map<int, ChildHandler*> children_;
  std::map<int, WinMenuItem*> menuItems_;
  std::map<UINT_PTR, WinTimer*> timers_;
};

}  // namespace qev::win32
