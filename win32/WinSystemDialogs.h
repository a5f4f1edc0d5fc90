#pragma once
// The system's plain message boxes, owned by the main window or by none.

#include <windows.h>
// The interface's MessageBox must not turn into MessageBoxW here: this header comes
// before any other that includes platform/Dialogs.h.
#undef MessageBox

#include "platform/Dialogs.h"
#include "win32/MainWindow.h"

namespace qev::win32 {

class WinSystemDialogs : public SystemDialogs {
 public:
  explicit WinSystemDialogs(const MainWindow& window) : window_(window) {}
  int MessageBox(const std::string& text, const std::string& caption, uint32_t flags,
                 bool ownedByMainWindow) override;

 private:
  const MainWindow& window_;
};

}  // namespace qev::win32
