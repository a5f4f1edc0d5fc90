#include "win32/WinSystemDialogs.h"

#include "win32/Gbk.h"

namespace qev::win32 {

int WinSystemDialogs::MessageBox(const std::string& text, const std::string& caption,
                                 uint32_t flags, bool ownedByMainWindow) {
  HWND owner = ownedByMainWindow ? window_.Handle() : nullptr;
  return MessageBoxW(owner, GbkToWide(text).c_str(), GbkToWide(caption).c_str(), flags);
}

}  // namespace qev::win32
