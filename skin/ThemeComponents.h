#pragma once
// The small component model the theme works in: a form (ComponentOwner) owns named
// components in creation order and tells every one of them when another goes away.
// Skinned controls, dialogs and menus are ThemedControls: they carry a UIStyle and a
// FileTheme and re-apply their look whenever either is written. This stands in for
// setting "UIStyle" and "FileTheme" by published-property name: every ThemedControl
// has both.

#include <string>
#include <string_view>
#include <vector>

#include "skin/UIStyle.h"

namespace qev {

class ComponentOwner;
class TsuiFileTheme;

class Component {
 public:
  // Joins owner's list (owner may be none: a component not placed on a form).
  Component(ComponentOwner* owner, std::string name);
  // Leaves the owner, which tells the remaining components.
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::string& Name() const { return name_; }
  ComponentOwner* Owner() const { return owner_; }

  // Another component of the same owner is being removed; removed is only compared,
  // never used.
  virtual void Notification(const Component& removed) { (void)removed; }

 private:
  friend class ComponentOwner;
  ComponentOwner* owner_;
  std::string name_;
};

// A form: the owner of components.
class ComponentOwner {
 public:
  ComponentOwner() = default;
  virtual ~ComponentOwner();
  ComponentOwner(const ComponentOwner&) = delete;
  ComponentOwner& operator=(const ComponentOwner&) = delete;

  const std::vector<Component*>& Components() const { return components_; }
  // The component of that name (ASCII case ignored), or none.
  Component* FindComponent(std::string_view name) const;
  // Asks the form's window to redraw its frame: no move, no size, no z-order change,
  // no activation, frame changed. The Windows form does this; the default does nothing.
  virtual void RedrawFrame() {}

 private:
  friend class Component;
  void Insert(Component& c) { components_.push_back(&c); }
  void Remove(Component& c);

  std::vector<Component*> components_;
};

class ThemedControl : public Component {
 public:
  ThemedControl(ComponentOwner* owner, std::string name, TsuiUIStyle style);

  TsuiUIStyle UIStyle() const { return style_; }
  // Stores the style and re-applies the look.
  void SetUIStyle(TsuiUIStyle style);
  TsuiFileTheme* FileTheme() const { return theme_; }
  // Stores the theme and re-applies the current style.
  void SetFileTheme(TsuiFileTheme* theme);

  // The skinned inner form of a window (its frame and title bar); the theme redraws
  // the owner's frame when such a form uses a skin that replaces another.
  virtual bool IsSkinnedForm() const { return false; }

  // When the theme goes away: FileTheme none and UIStyle DeepBlue, without re-applying.
  void Notification(const Component& removed) override;

 protected:
  // Re-reads whatever the control takes from its style and theme.
  virtual void ApplyStyle() {}

 private:
  TsuiUIStyle style_;
  TsuiFileTheme* theme_ = nullptr;
};

// The style a new check box or pop-up menu starts with: that of the first skinned
// inner form on owner, or DeepBlue when there is none (or no owner).
TsuiUIStyle InitialStyleFromOwner(const ComponentOwner* owner);

}  // namespace qev
