#pragma once
// Pop-up menus whose items carry fixed command IDs. The menu is built afresh each time
// it pops up (hidden items are left out, disabled ones greyed); the chosen item comes
// back as WM_COMMAND with its ID to the owner, which passes it to Run. The items are
// drawn by the menu itself in the colours and measures of its style and theme.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Controls.h"
#include "skin/ControlLooks.h"
#include "skin/ThemeComponents.h"

namespace qev::win32 {

class WinMenuItem : public TMenuItem {
 public:
  WinMenuItem(int id, std::string gbkCaption, bool visible = true)
      : id_(id), caption_(std::move(gbkCaption)), visible_(visible) {}
  int Id() const { return id_; }
  const std::string& Caption() const { return caption_; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool on) override { enabled_ = on; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool on) override { visible_ = on; }
  // Runs the item's command.
  void Run() {
    if (OnClick) OnClick();
  }

 private:
  int id_;
  std::string caption_;
  bool enabled_ = true;
  bool visible_;
};

class WinPopupMenu : public TPopupMenu, public ThemedControl {
 public:
  // form and name: the component it is of the window's theme (none: built-in only).
  WinPopupMenu(HWND owner, std::vector<WinMenuItem*> items, ComponentOwner* form = nullptr,
               std::string name = "", HFONT font = nullptr);
  void Popup(TPoint screen) override;
  const MenuLook& Look() const { return look_; }

 protected:
  void ApplyStyle() override { look_ = ResolveMenuLook(FileTheme(), UIStyle()); }

 private:
  static LRESULT CALLBACK DrawingSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                          DWORD_PTR self);
  void Measure(MEASUREITEMSTRUCT& item) const;
  void Draw(const DRAWITEMSTRUCT& item) const;

  HWND owner_;
  std::vector<WinMenuItem*> items_;
  HFONT font_;
  MenuLook look_;
  std::vector<int> shownIds_;  // the items of the menu now open, top to bottom
};

}  // namespace qev::win32
