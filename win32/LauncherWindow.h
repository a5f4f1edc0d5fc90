#pragma once
// The launcher's composition: the services, the main window with every child control,
// its dialogs, menus, tray icon and timers, the update subsystem and TForm1 over them.

#include <windows.h>

#include <memory>

#include "config/ProcessValues.h"

namespace qev::win32 {

class LauncherParts;

class LauncherWindow {
 public:
  LauncherWindow(HINSTANCE instance, ProcessValues& values);
  ~LauncherWindow();
  LauncherWindow(const LauncherWindow&) = delete;
  LauncherWindow& operator=(const LauncherWindow&) = delete;

  // Creates the window and its controls and runs the creation handler. The window is
  // shown and the message loop runs until it closes, unless the creation asked the
  // application to end (a missing or unreadable configuration file). Exit code 0.
  int Run();

 private:
  std::unique_ptr<LauncherParts> parts_;
};

}  // namespace qev::win32
