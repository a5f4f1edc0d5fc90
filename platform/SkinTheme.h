#pragma once
// The skin theme the skinned controls draw from, as the main window points it.

#include <string>

namespace qev {

class SkinTheme {
 public:
  virtual ~SkinTheme() = default;
  // Loads the skin file; a file that cannot be read leaves the built-in look.
  virtual void SetThemeFile(const std::string& path) = 0;
};

}  // namespace qev
