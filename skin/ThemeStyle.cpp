#include "skin/ThemeStyle.h"

#include "skin/FileTheme.h"

namespace qev {

ThemeStyleChoice ResolveThemeStyle(const TsuiFileTheme* theme, TsuiUIStyle requested) {
  if (requested != FromThemeFile) return {false, requested};
  if (theme && theme->Ready()) return {true, FromThemeFile};
  return {false, DeepBlue};
}

}  // namespace qev
