#pragma once
// Pop-up menus whose items carry fixed command IDs. The menu is built afresh each time
// it pops up (hidden items are left out, disabled ones greyed); the chosen item comes
// back as WM_COMMAND with its ID to the owner, which passes it to Run.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Controls.h"

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

class WinPopupMenu : public TPopupMenu {
 public:
  WinPopupMenu(HWND owner, std::vector<WinMenuItem*> items)
      : owner_(owner), items_(std::move(items)) {}
  void Popup(TPoint screen) override;

 private:
  HWND owner_;
  std::vector<WinMenuItem*> items_;
};

}  // namespace qev::win32
