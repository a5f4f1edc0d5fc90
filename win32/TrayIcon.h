#pragma once
// The launcher's icon in the notification area.

#include <windows.h>

#include <string_view>

namespace qev::win32 {

class TrayIcon {
 public:
  // The owner receives callbackMessage with the mouse message in lParam.
  static constexpr UINT kCallbackMessage = WM_APP + 1;

  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() { Remove(); }

  // Shows the icon with the given GBK hint; again after the taskbar was re-created.
  bool Add(HWND owner, std::string_view hint);
  void Remove();

 private:
  HWND owner_ = nullptr;
};

}  // namespace qev::win32
