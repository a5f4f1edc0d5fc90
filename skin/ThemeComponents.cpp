#include "skin/ThemeComponents.h"

#include <algorithm>

#include "skin/AsciiCase.h"
#include "skin/FileTheme.h"

namespace qev {

Component::Component(ComponentOwner* owner, std::string name)
    : owner_(owner), name_(std::move(name)) {
  if (owner_) owner_->Insert(*this);
}

Component::~Component() {
  if (owner_) owner_->Remove(*this);
}

ComponentOwner::~ComponentOwner() {
  for (Component* c : components_) c->owner_ = nullptr;
}

Component* ComponentOwner::FindComponent(std::string_view name) const {
  for (Component* c : components_)
    if (SameNameIgnoringCase(c->Name(), name)) return c;
  return nullptr;
}

void ComponentOwner::Remove(Component& gone) {
  components_.erase(std::remove(components_.begin(), components_.end(), &gone), components_.end());
  // A copy: a notified component may remove others in turn.
  std::vector<Component*> rest = components_;
  for (Component* c : rest)
    if (std::find(components_.begin(), components_.end(), c) != components_.end())
      c->Notification(gone);
}

ThemedControl::ThemedControl(ComponentOwner* owner, std::string name, TsuiUIStyle style)
    : Component(owner, std::move(name)), style_(style) {}

void ThemedControl::SetUIStyle(TsuiUIStyle style) {
  style_ = style;
  ApplyStyle();
}

void ThemedControl::SetFileTheme(TsuiFileTheme* theme) {
  theme_ = theme;
  SetUIStyle(style_);
}

void ThemedControl::Notification(const Component& removed) {
  if (theme_ && &removed == static_cast<const Component*>(theme_)) {
    theme_ = nullptr;
    style_ = DeepBlue;
  }
}

TsuiUIStyle InitialStyleFromOwner(const ComponentOwner* owner) {
  if (!owner) return DeepBlue;
  for (const Component* c : owner->Components()) {
    auto* control = dynamic_cast<const ThemedControl*>(c);
    if (control && control->IsSkinnedForm()) return control->UIStyle();
  }
  return DeepBlue;
}

}  // namespace qev
