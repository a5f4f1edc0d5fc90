#include "win32/WinShellServices.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "win32/Gbk.h"
#include "win32/LateShell.h"

namespace qev::win32 {

namespace {

// GBK to UTF-16 where an empty text stays empty; false for bytes that are not GBK.
bool ToWide(const std::string& gbk, std::wstring& wide) {
  wide = GbkToWide(gbk);
  return gbk.empty() || !wide.empty();
}

// An open registry key, closed when it goes.
class RegKey {
 public:
  RegKey() = default;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY* Out() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

int WinShell::Open(const std::string& file, const std::string& parameters,
                   const std::string& directory) {
  std::wstring wideFile, wideParameters, wideDirectory;
  if (!ToWide(file, wideFile) || !ToWide(parameters, wideParameters) ||
      !ToWide(directory, wideDirectory))
    return ERROR_FILE_NOT_FOUND;
  const HINSTANCE result = late::ShellExecuteW(
      owner_, L"open", wideFile.c_str(), wideParameters.empty() ? nullptr : wideParameters.c_str(),
      wideDirectory.empty() ? nullptr : wideDirectory.c_str(), SW_SHOWNORMAL);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

bool WinRegistry::ReadCurrentUserString(const std::string& key, const std::string& name,
                                        std::string& value) {
  std::wstring wideKey, wideName;
  if (!ToWide(key, wideKey) || !ToWide(name, wideName)) return false;
  RegKey opened;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, wideKey.c_str(), 0, KEY_QUERY_VALUE, opened.Out()) !=
      ERROR_SUCCESS)
    return false;
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(opened.Get(), wideName.c_str(), nullptr, &type, nullptr, &bytes) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return false;
  // One more character than asked for: a stored text need not end in a null.
  std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(opened.Get(), wideName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(text.data()), &bytes) != ERROR_SUCCESS)
    return false;
  std::wstring wide(text.data(), std::min<size_t>(bytes / sizeof(wchar_t), text.size()));
  while (!wide.empty() && wide.back() == L'\0') wide.pop_back();
  std::string gbk;
  if (!WideToGbk(wide, gbk)) return false;
  value = gbk;
  return true;
}

}  // namespace qev::win32
