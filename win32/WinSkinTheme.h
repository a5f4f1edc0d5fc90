#pragma once
// The skin theme of the main window (suiFileTheme1) and its theme manager
// (suiThemeManager_form), over the portable TsuiFileTheme. The window's creation points
// it at "QevLogin.ssk"; the file is searched beside the given path, in the launcher's
// folder, the Windows folder and the system folder. A file that cannot be read leaves
// the built-in look, and the player is told nothing.
//
// The skinned controls, dialogs and menus are components of Form() and re-read the
// theme when it loads a file; what is not a component (the face, the image buttons)
// follows OnSkinLoaded.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/SkinTheme.h"
#include "skin/FileTheme.h"
#include "skin/ThemeManager.h"
#include "win32/WinBitmaps.h"

namespace qev::win32 {

// The main window as the owner of the skinned components.
class WindowForm : public ComponentOwner {
 public:
  void SetWindow(HWND hwnd) { hwnd_ = hwnd; }
  // Frame changed, nothing moved: flags 55 (no size, no move, no z-order, no
  // activation, frame changed).
  void RedrawFrame() override;

 private:
  HWND hwnd_ = nullptr;
};

// The launcher's folder, the Windows folder and the system folder, in GBK; a folder
// whose name has no GBK form is left out (empty).
ThemeSearchFolders SystemThemeFolders();

class WinSkinTheme : public SkinTheme {
 public:
  // module: where the built-in styles' pictures are.
  WinSkinTheme(FileSystem& fs, HINSTANCE module);
  WinSkinTheme(const WinSkinTheme&) = delete;
  WinSkinTheme& operator=(const WinSkinTheme&) = delete;

  void SetThemeFile(const std::string& path) override;
  const std::string& ThemeFile() const { return theme_.ThemeFile(); }
  bool Ready() const { return theme_.Ready(); }

  WindowForm& Form() { return form_; }
  TsuiFileTheme& FileTheme() { return theme_; }
  const TsuiFileTheme& FileTheme() const { return theme_; }
  BitmapResources& Resources() { return resources_; }

  // The main window's stored settings: the listed components draw from the file
  // (FromThemeFile, this theme) from now on. Call once they all exist.
  void ApplyStoredSettings(std::vector<std::string> names);

  // After a skin file was loaded (Ready or not).
  std::function<void()> OnSkinLoaded;

 private:
  WindowForm form_;  // first: the components below leave it when they go
  WinBitmapResources resources_;
  TsuiFileTheme theme_;
  TsuiThemeManager manager_;
};

// The names the theme manager of the main window lists.
std::vector<std::string> MainWindowThemedNames();

}  // namespace qev::win32
