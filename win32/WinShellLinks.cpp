#include <objbase.h>
#include <shlobj.h>

#include "win32/ComPtr.h"
#include "win32/Gbk.h"
#include "win32/LateShell.h"
#include "win32/WinShellServices.h"

namespace qev::win32 {

namespace {

// COM for the current thread while this lives, unless the thread has it already.
class ComScope {
 public:
  ComScope() : started_(SUCCEEDED(late::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  ~ComScope() {
    if (started_) late::CoUninitialize();
  }

 private:
  bool started_;
};

bool ToWide(const std::string& gbk, std::wstring& wide) {
  wide = GbkToWide(gbk);
  return gbk.empty() || !wide.empty();
}

}  // namespace

bool WinShellLinks::Save(const std::string& linkFile, const std::string& target,
                         const std::string& arguments, const std::string& workingDir) {
  if (hold_) {
    pending_.push_back(Link{linkFile, target, arguments, workingDir});
    return true;
  }
  std::wstring wideLink, wideTarget, wideArguments, wideDir;
  if (!ToWide(linkFile, wideLink) || !ToWide(target, wideTarget) ||
      !ToWide(arguments, wideArguments) || !ToWide(workingDir, wideDir) || wideLink.empty())
    return false;
  ComScope com;
  ComPtr<IShellLinkW> link;
  if (FAILED(late::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    link.OutVoid())))
    return false;
  if (FAILED(link->SetPath(wideTarget.c_str())) ||
      FAILED(link->SetArguments(wideArguments.c_str())) ||
      FAILED(link->SetWorkingDirectory(wideDir.c_str())))
    return false;
  ComPtr<IPersistFile> file = link.As<IPersistFile>();
  return file && SUCCEEDED(file->Save(wideLink.c_str(), TRUE));
}

void WinShellLinks::SavePending() {
  hold_ = false;
  std::vector<Link> links;
  links.swap(pending_);
  for (const Link& l : links) Save(l.file, l.target, l.arguments, l.folder);
}

}  // namespace qev::win32
