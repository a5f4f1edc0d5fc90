#pragma once
// The updater's operations on the real Windows file system.

#include <string>
#include <vector>

#include "updater/UpdaterOps.h"

namespace qev {

class WinUpdaterOps : public UpdaterOps {
 public:
  bool FileExists(const std::wstring& path) override;
  bool CopyOver(const std::wstring& from, const std::wstring& to) override;
  bool MoveReplacing(const std::wstring& from, const std::wstring& to) override;
  bool Remove(const std::wstring& path) override;
  void Wait(unsigned milliseconds) override;

  // The command-line arguments after the program name.
  static std::vector<std::wstring> Arguments();
  static std::wstring OwnPath();
};

}  // namespace qev
