#pragma once
// The launcher's main window: a borderless top-level window of class "tolw3" with a
// fixed client area, centred on the desktop, that minimises to the notification area
// and comes back on the restore message a second launcher sends.

#include <windows.h>

#include <string>
#include <string_view>

#include "win32/TrayIcon.h"

namespace qev::win32 {

// Sent by a second launcher to the running one; no parameters.
inline constexpr UINT kRestoreMessage = WM_USER + 11;  // 1035
inline constexpr int kMainClientWidth = 864;
inline constexpr int kMainClientHeight = 568;

class MainWindow {
 public:
  MainWindow() = default;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Registers the window class className and creates the window, shown. Texts are GBK.
  bool Create(HINSTANCE instance, std::string_view className, std::string_view title);
  HWND Handle() const { return hwnd_; }

  // Minimised means minimised to the notification area: the window is hidden.
  void MinimizeToTray();
  // Un-minimises and shows the window restored in front. Does nothing while a restore
  // is already running (showing a window can dispatch messages that ask again).
  void Restore();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void OnTrayMouse(UINT mouseMessage);
  void OnPaint();

  HWND hwnd_ = nullptr;
  std::string title_;
  TrayIcon tray_;
  UINT taskbarCreated_ = 0;
  bool restoring_ = false;
};

}  // namespace qev::win32
