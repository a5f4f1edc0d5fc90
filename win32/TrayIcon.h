#pragma once
// The launcher's icon in the notification area (TrayIcon1). Its owner window receives
// kCallbackMessage with the mouse message in lParam.

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/Controls.h"

namespace qev::win32 {

class TrayIcon : public TTrayIcon {
 public:
  static constexpr UINT kCallbackMessage = WM_APP + 1;

  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() override { Remove(); }

  // Shows the icon with the current hint; again after the taskbar was re-created.
  bool Add(HWND owner, HICON icon);
  void Remove();

  void SetHint(const std::string& hint) override;
  std::string Hint() const override { return hint_; }
  // The icon is always there while the launcher runs, and minimising hides the window.
  bool IconEnabled() const override { return true; }
  bool HideOnMinimize() const override { return true; }
  // Nothing listens for the restored notification in this program.
  void NotifyRestored() override {}

 private:
  NOTIFYICONDATAW Data() const;

  HWND owner_ = nullptr;
  HICON icon_ = nullptr;
  std::string hint_;
};

}  // namespace qev::win32
