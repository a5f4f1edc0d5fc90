#pragma once
// The shell and registry services and the tick count over the Windows API. Texts are
// GBK on this side and UTF-16 (code page 936) towards the system.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Shell.h"

namespace qev::win32 {

// Shell-open with the verb "open", owned by the main window.
class WinShell : public Shell {
 public:
  explicit WinShell(HWND owner = nullptr) : owner_(owner) {}
  // The window that owns what the shell shows (the main window, once it exists).
  void SetOwner(HWND owner) { owner_ = owner; }
  // A text that is not valid GBK opens nothing and gives ERROR_FILE_NOT_FOUND.
  int Open(const std::string& file, const std::string& parameters,
           const std::string& directory) override;

 private:
  HWND owner_;
};

// Text values (REG_SZ, or REG_EXPAND_SZ as stored, unexpanded) of HKEY_CURRENT_USER.
class WinRegistry : public Registry {
 public:
  // False as well when the value is not text or has no GBK form.
  bool ReadCurrentUserString(const std::string& key, const std::string& name,
                             std::string& value) override;
};

// Shell links through the system's shell-link object. COM is started on the calling
// thread for the call when it is not started yet.
class WinShellLinks : public ShellLinks {
 public:
  bool Save(const std::string& linkFile, const std::string& target, const std::string& arguments,
            const std::string& workingDir) override;

  // From here on a save is only noted, and done by SavePending: the launcher saves its
  // desktop link once its window is on screen, since the shell-link object takes longer
  // to start than everything else the window needs. Save then answers true ("taken").
  void HoldUntilShown() { hold_ = true; }
  // Does the saves noted while held, in order, and saves directly from then on.
  void SavePending();

 private:
  struct Link {
    std::string file, target, arguments, folder;
  };
  bool hold_ = false;
  std::vector<Link> pending_;
};

// GetTickCount: milliseconds since system start, wrapping at 2^32.
class WinClock : public Clock {
 public:
  uint32_t TickCount() override { return GetTickCount(); }
};

}  // namespace qev::win32
