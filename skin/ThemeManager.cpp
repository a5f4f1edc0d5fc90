#include "skin/ThemeManager.h"

#include <algorithm>

#include "skin/AsciiCase.h"
#include "skin/FileTheme.h"

namespace qev {

TsuiThemeManager::TsuiThemeManager(ComponentOwner* owner, std::string name)
    : Component(owner, std::move(name)) {}

void TsuiThemeManager::SetUIStyle(TsuiUIStyle style) {
  bool changed = style != style_;
  style_ = style;
  Apply();
  if (changed && OnUIStyleChanged) OnUIStyleChanged(*this);
}

void TsuiThemeManager::SetFileTheme(TsuiFileTheme* theme) {
  theme_ = theme;
  SetUIStyle(style_);
}

void TsuiThemeManager::Apply() {
  if (!Owner()) return;
  for (const std::string& name : compList_) {
    auto* control = dynamic_cast<ThemedControl*>(Owner()->FindComponent(name));
    if (!control) continue;
    control->SetUIStyle(style_);
    control->SetFileTheme(theme_);
  }
}

void TsuiThemeManager::Notification(const Component& removed) {
  std::erase_if(compList_,
                [&](const std::string& n) { return SameNameIgnoringCase(n, removed.Name()); });
  if (theme_ && &removed == static_cast<const Component*>(theme_)) {
    theme_ = nullptr;
    style_ = DeepBlue;
  }
}

}  // namespace qev
