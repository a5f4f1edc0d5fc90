#pragma once
// TsuiThemeManager: pushes one style and one theme to a list of named components of its
// form (on the main window: the check boxes, the message dialogs and the pop-up menus).

#include <functional>
#include <string>
#include <vector>

#include "skin/ThemeComponents.h"

namespace qev {

class TsuiThemeManager : public Component {
 public:
  explicit TsuiThemeManager(ComponentOwner* owner, std::string name = "suiThemeManager_form");

  TsuiUIStyle UIStyle() const { return style_; }
  // Stores the style and applies it; calls OnUIStyleChanged when the value changed.
  void SetUIStyle(TsuiUIStyle style);
  TsuiFileTheme* FileTheme() const { return theme_; }
  // Stores the theme and writes UIStyle again with its current value.
  void SetFileTheme(TsuiFileTheme* theme);
  const std::vector<std::string>& CompList() const { return compList_; }
  void SetCompList(std::vector<std::string> names) { compList_ = std::move(names); }

  std::function<void(TsuiThemeManager&)> OnUIStyleChanged;

  // A removed component's name leaves CompList; when it was the theme, FileTheme
  // becomes none and UIStyle DeepBlue without applying.
  void Notification(const Component& removed) override;

 private:
  // Sets UIStyle, then FileTheme, on each listed component of the owner form, in list
  // order; names with no component are skipped.
  void Apply();

  TsuiUIStyle style_ = DeepBlue;
  TsuiFileTheme* theme_ = nullptr;
  std::vector<std::string> compList_;
};

}  // namespace qev
