#pragma once
// The application object over the main window: its title, the message pump used by
// handlers that wait, termination, and minimise and restore to the notification area.

#include "platform/Application.h"
#include "win32/MainWindow.h"

namespace qev::win32 {

class WinApplication : public Application {
 public:
  explicit WinApplication(MainWindow& window) : window_(window) {}

  std::string Title() const override { return title_; }
  void SetTitle(const std::string& title) override { title_ = title; }
  std::string ExeName() const override;
  void ProcessMessages() override;
  void Terminate() override;
  bool Terminated() const override { return terminated_; }

  void Minimize() override;
  void Restore() override;
  bool IsMinimized() const override;
  void HideTaskbarWindow() override;
  void ShowRestoredInFront() override;
  void SetBusyCursor(bool busy) override { window_.SetBusyCursor(busy); }

 private:
  MainWindow& window_;
  std::string title_;
  bool terminated_ = false;
};

}  // namespace qev::win32
