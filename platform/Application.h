#pragma once
// The application object: title, message processing, minimise and restore, the
// application-wide cursor, termination, and the program's own path.

#include <string>

namespace qev {

class Application {
 public:
  virtual ~Application() = default;
  virtual std::string Title() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  // The full path of the running executable (GBK).
  virtual std::string ExeName() const = 0;
  // Handles the window messages that are waiting, then returns.
  virtual void ProcessMessages() = 0;
  // Asks the message loop to end once the current handler returns.
  virtual void Terminate() = 0;
  virtual bool Terminated() const = 0;

  virtual void Minimize() = 0;
  virtual void Restore() = 0;
  virtual bool IsMinimized() const = 0;
  // Hides the application's taskbar button (minimised to the tray).
  virtual void HideTaskbarWindow() = 0;
  // Shows the main window in its restored state and brings it to the foreground.
  virtual void ShowRestoredInFront() = 0;

  // The hourglass for the whole application while busy is true.
  virtual void SetBusyCursor(bool busy) = 0;
};

}  // namespace qev
