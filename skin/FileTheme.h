#pragma once
// The skin theme: finds and loads the skin file and answers look-ups by key number.
//
// TsuiFileThemeMgr holds the current reader; TsuiFileTheme is the component on the main
// window that the skinned controls refer to. The theme keeps a loaded skin until
// another file is loaded or the theme is destroyed; a later load of a file that is
// found but unreadable leaves it with no skin and Ready false.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/SkinTheme.h"
#include "skin/BmpDecoder.h"
#include "skin/SUI2SkinReader.h"
#include "skin/SkinKeys.h"
#include "skin/ThemeComponents.h"

namespace qev {

class TsuiFileThemeMgr {
 public:
  explicit TsuiFileThemeMgr(FileSystem& fs) : fs_(fs) {}

  // False and the current reader kept when path is no file. Otherwise the current
  // reader goes, and a new one is kept only when it loads: a reader that raises (a
  // damaged file) or stays unloaded (enciphered, wrong password) leaves none.
  bool LoadFromFile(const std::string& path, const std::string& password);

  // With no reader: none, 0, 0, false. With one: the record of the key's name, or
  // none, -1, -1, false when the file lacks it. A colour is read as an integer.
  const PlainBitmap* GetBitmap(int key) const;
  uint32_t GetColor(int key) const;
  int32_t GetInteger(int key) const;
  bool GetBoolean(int key) const;
  // A bitmap record by its stored name (the launcher's own QEV_ records), or none.
  const PlainBitmap* GetNamedBitmap(std::string_view name) const;

 private:
  FileSystem& fs_;
  std::unique_ptr<Tsk2SkinFileReader> reader_;
};

// The folders searched after the given path, each with or without a final "\": the
// launcher's own folder, the Windows folder and the Windows system folder. The Windows
// side fills them; an empty folder is not searched.
struct ThemeSearchFolders {
  std::string LauncherDir;
  std::string WindowsDir;
  std::string SystemDir;
};

class TsuiFileTheme : public Component, public SkinTheme {
 public:
  TsuiFileTheme(FileSystem& fs, ThemeSearchFolders folders, ComponentOwner* owner = nullptr,
                std::string name = "suiFileTheme1");

  // Writing ThemeFile loads the first of: path; the launcher's folder, the Windows
  // folder, the system folder, each plus the file-name part of path. Found nowhere:
  // nothing changes. Found: ThemeFile becomes that path and Ready the load's outcome.
  // On success every ThemedControl of the owner form that uses this theme has its
  // FileTheme written again (so it re-reads the file); when a skinned inner form uses
  // it and a skin was loaded before, the form's frame is redrawn.
  void SetThemeFile(const std::string& path) override;
  const std::string& ThemeFile() const { return themeFile_; }
  // Stores the password; a non-empty one reloads the current ThemeFile.
  void SetPassword(const std::string& password);
  const std::string& Password() const { return password_; }
  bool Ready() const { return ready_; }

  // The reader's own bitmap: the caller neither frees nor changes it, and must not keep
  // it past the next load.
  const PlainBitmap* GetBitmap(int key) const { return mgr_.GetBitmap(key); }
  // With frameCount or frameIndex 0 a copy of the whole bitmap, else ExtractFrame. A
  // bitmap the theme lacks leaves the destination empty.
  void GetBitmapFrame(int key, PlainBitmap& destination, int frameCount, int frameIndex) const;
  uint32_t GetColor(int key) const { return mgr_.GetColor(key); }
  int32_t GetInteger(int key) const { return mgr_.GetInteger(key); }
  bool GetBoolean(int key) const { return mgr_.GetBoolean(key); }
  const PlainBitmap* GetNamedBitmap(std::string_view name) const {
    return mgr_.GetNamedBitmap(name);
  }

 private:
  // The first existing candidate for path, or empty.
  std::string FindFile(const std::string& path) const;
  void ReassignControls();

  FileSystem& fs_;
  ThemeSearchFolders folders_;
  TsuiFileThemeMgr mgr_;
  std::string themeFile_;
  bool ready_ = false;
  std::string password_;
};

}  // namespace qev
