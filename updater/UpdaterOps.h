#pragma once
// What the updater asks of the operating system. Paths are wide texts as the system
// hands them over, so the updater never converts a name.

#include <string>

namespace qev {

class UpdaterOps {
 public:
  virtual ~UpdaterOps() = default;
  // True for an existing file, false for a folder or nothing.
  virtual bool FileExists(const std::wstring& path) = 0;
  // Copies from over to, replacing an existing to.
  virtual bool CopyOver(const std::wstring& from, const std::wstring& to) = 0;
  // Renames from to to in one step, replacing an existing to.
  virtual bool MoveReplacing(const std::wstring& from, const std::wstring& to) = 0;
  virtual bool Remove(const std::wstring& path) = 0;
  virtual void Wait(unsigned milliseconds) = 0;
};

}  // namespace qev
