#pragma once
// The rule every skinned control applies to choose between the skin file and a
// built-in style.

#include "skin/UIStyle.h"

namespace qev {

class TsuiFileTheme;

struct ThemeStyleChoice {
  bool UsesFile = false;
  TsuiUIStyle Style = DeepBlue;  // the built-in style when UsesFile is false
};

// A requested built-in style is used as it is, whatever the theme. FromThemeFile uses
// the file when a theme is given and Ready; otherwise the built-in DeepBlue.
ThemeStyleChoice ResolveThemeStyle(const TsuiFileTheme* theme, TsuiUIStyle requested);

}  // namespace qev
