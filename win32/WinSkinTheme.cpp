#include "win32/WinSkinTheme.h"

#include "win32/Gbk.h"
#include "win32/OwnPath.h"

namespace qev::win32 {

namespace {

constexpr UINT kFrameChangedFlags =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;  // 55

std::string FolderOfGbk(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  std::string gbk;
  if (slash == std::wstring::npos || !WideToGbk(path.substr(0, slash + 1), gbk)) return {};
  return gbk;
}

std::string SystemFolderGbk(UINT (*query)(LPWSTR, UINT)) {
  wchar_t buf[MAX_PATH] = {};
  const UINT n = query(buf, MAX_PATH);
  std::string gbk;
  if (n == 0 || n >= MAX_PATH || !WideToGbk(std::wstring_view(buf, n), gbk)) return {};
  return gbk;
}

UINT WindowsFolder(LPWSTR buf, UINT size) { return GetWindowsDirectoryW(buf, size); }
UINT SystemFolder(LPWSTR buf, UINT size) { return GetSystemDirectoryW(buf, size); }

}  // namespace

void WindowForm::RedrawFrame() {
  if (hwnd_) SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, kFrameChangedFlags);
}

ThemeSearchFolders SystemThemeFolders() {
  ThemeSearchFolders folders;
  folders.LauncherDir = FolderOfGbk(OwnExePathWide());
  folders.WindowsDir = SystemFolderGbk(&WindowsFolder);
  folders.SystemDir = SystemFolderGbk(&SystemFolder);
  return folders;
}

std::vector<std::string> MainWindowThemedNames() {
  return {
      "Opt1", "Opt3", "Opt2", "MessForm", "suiPopupMenu1", "suiPopupMenu2", "suiMessageDialog1"};
}

WinSkinTheme::WinSkinTheme(FileSystem& fs, HINSTANCE module)
    : resources_(module),
      theme_(fs, SystemThemeFolders(), &form_, "suiFileTheme1"),
      manager_(&form_, "suiThemeManager_form") {}

void WinSkinTheme::SetThemeFile(const std::string& path) {
  const std::string before = theme_.ThemeFile();
  const bool wasReady = theme_.Ready();
  theme_.SetThemeFile(path);
  // Found nowhere: nothing changed, nothing to redraw.
  if (theme_.ThemeFile() == before && theme_.Ready() == wasReady && !theme_.Ready()) return;
  if (OnSkinLoaded) OnSkinLoaded();
}

void WinSkinTheme::ApplyStoredSettings(std::vector<std::string> names) {
  manager_.SetCompList(std::move(names));
  manager_.SetFileTheme(&theme_);
  manager_.SetUIStyle(FromThemeFile);
}

}  // namespace qev::win32
