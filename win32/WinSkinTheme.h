#pragma once
// The skin theme the window's creation points at "QevLogin.ssk". The window draws its
// built-in look (BuiltInLook) through the Look seam; a theme that reads skin files
// takes this object's place and answers the Look's questions from the file.

#include <string>

#include "platform/SkinTheme.h"

namespace qev::win32 {

class WinSkinTheme : public SkinTheme {
 public:
  void SetThemeFile(const std::string& path) override { themeFile_ = path; }
  const std::string& ThemeFile() const { return themeFile_; }

 private:
  std::string themeFile_;
};

}  // namespace qev::win32
