#include "win32/WinMenus.h"

#include "win32/Gbk.h"

namespace qev::win32 {

namespace {
class MenuHandle {
 public:
  MenuHandle() : menu_(CreatePopupMenu()) {}
  MenuHandle(const MenuHandle&) = delete;
  MenuHandle& operator=(const MenuHandle&) = delete;
  ~MenuHandle() {
    if (menu_) DestroyMenu(menu_);
  }
  HMENU get() const { return menu_; }

 private:
  HMENU menu_;
};
}  // namespace

void WinPopupMenu::Popup(TPoint screen) {
  if (OnChange) OnChange();
  MenuHandle menu;
  if (!menu.get()) return;
  for (const WinMenuItem* item : items_) {
    if (!item->Visible()) continue;
    const UINT flags = MF_STRING | (item->Enabled() ? MF_ENABLED : MF_GRAYED);
    AppendMenuW(menu.get(), flags, UINT_PTR(item->Id()), GbkToWide(item->Caption()).c_str());
  }
  // A menu of a window that is not in front would not close when the player clicks
  // elsewhere; the empty message afterwards lets it go away at once.
  SetForegroundWindow(owner_);
  TrackPopupMenuEx(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y,
                   owner_, nullptr);
  PostMessageW(owner_, WM_NULL, 0, 0);
}

}  // namespace qev::win32
