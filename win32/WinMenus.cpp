#include "win32/WinMenus.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/Gbk.h"
#include "win32/GdiHolders.h"

namespace qev::win32 {

namespace {
constexpr UINT_PTR kDrawingSubclassId = 7;
constexpr int kTextGap = 8;  // between the left bar and the caption
constexpr int kRightMargin = 24;
constexpr COLORREF kGreyText = RGB(0x90, 0x90, 0x90);

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

COLORREF Colour(uint32_t value) { return COLORREF(value & 0xFFFFFF); }

// The left bar of one item: its part of a run from BarColor at the top of the menu to
// BarToColor at its bottom (menuHeight high); the item's top is itemTop in that run.
void DrawBar(HDC dc, const RECT& r, int itemTop, int menuHeight, COLORREF from, COLORREF to) {
  const int h = std::max(1, menuHeight);
  for (int y = r.top; y < r.bottom; ++y) {
    const int k = std::clamp(itemTop + int(y - r.top), 0, h);
    FillColour(dc, RECT{r.left, y, r.right, y + 1},
               RGB(GetRValue(from) + (GetRValue(to) - GetRValue(from)) * k / h,
                   GetGValue(from) + (GetGValue(to) - GetGValue(from)) * k / h,
                   GetBValue(from) + (GetBValue(to) - GetBValue(from)) * k / h));
  }
}
}  // namespace

WinPopupMenu::WinPopupMenu(HWND owner, std::vector<WinMenuItem*> items, ComponentOwner* form,
                           std::string name, HFONT font)
    : ThemedControl(form, std::move(name), InitialStyleFromOwner(form)),
      owner_(owner),
      items_(std::move(items)),
      font_(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {
  ApplyStyle();
}

void WinPopupMenu::Popup(TPoint screen) {
  if (OnChange) OnChange();
  MenuHandle menu;
  if (!menu.get()) return;
  std::vector<std::wstring> captions;
  captions.reserve(items_.size());
  shownIds_.clear();
  for (const WinMenuItem* item : items_) {
    if (!item->Visible()) continue;
    captions.push_back(GbkToWide(item->Caption()));
    shownIds_.push_back(item->Id());
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA;
    info.fType = MFT_OWNERDRAW;
    info.fState = item->Enabled() ? MFS_ENABLED : MFS_GRAYED;
    info.wID = UINT(item->Id());
    info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    info.dwTypeData = captions.back().data();
    InsertMenuItemW(menu.get(), UINT(GetMenuItemCount(menu.get())), TRUE, &info);
  }
  // A menu of a window that is not in front would not close when the player clicks
  // elsewhere; the empty message afterwards lets it go away at once. The owner's
  // drawing messages for the items come here while the menu is open.
  SetForegroundWindow(owner_);
  SetWindowSubclass(owner_, &WinPopupMenu::DrawingSubclass, kDrawingSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
  const UINT chosen = UINT(TrackPopupMenuEx(
      menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
      screen.x, screen.y, owner_, nullptr));
  RemoveWindowSubclass(owner_, &WinPopupMenu::DrawingSubclass, kDrawingSubclassId);
  PostMessageW(owner_, WM_NULL, 0, 0);
  if (chosen != 0) PostMessageW(owner_, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
}

LRESULT CALLBACK WinPopupMenu::DrawingSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                               DWORD_PTR self) {
  const auto* menu = reinterpret_cast<const WinPopupMenu*>(self);
  if (msg == WM_MEASUREITEM) {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
    if (item->CtlType == ODT_MENU) {
      menu->Measure(*item);
      return TRUE;
    }
  } else if (msg == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (item->CtlType == ODT_MENU) {
      menu->Draw(*item);
      return TRUE;
    }
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

void WinPopupMenu::Measure(MEASUREITEMSTRUCT& item) const {
  const auto* source = reinterpret_cast<const WinMenuItem*>(item.itemData);
  const std::wstring caption = source ? GbkToWide(source->Caption()) : std::wstring();
  HDC dc = GetDC(owner_);
  Selection font(dc, font_);
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, caption.c_str(), int(caption.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  ReleaseDC(owner_, dc);
  item.itemWidth = UINT(look_.BarWidth + kTextGap + r.right + kRightMargin);
  item.itemHeight = UINT(look_.MenuItemHeight);
}

void WinPopupMenu::Draw(const DRAWITEMSTRUCT& item) const {
  const auto* source = reinterpret_cast<const WinMenuItem*>(item.itemData);
  const std::wstring caption = source ? GbkToWide(source->Caption()) : std::wstring();
  const RECT& r = item.rcItem;
  BackBuffer buffer(item.hDC, r);
  HDC dc = buffer.dc();
  const bool grey = item.itemState & (ODS_GRAYED | ODS_DISABLED);
  const bool selected = !grey && (item.itemState & ODS_SELECTED);
  const auto at = std::find(shownIds_.begin(), shownIds_.end(), int(item.itemID));
  const int index = at == shownIds_.end() ? 0 : int(at - shownIds_.begin());
  DrawBar(dc, RECT{r.left, r.top, r.left + look_.BarWidth, r.bottom}, index * look_.MenuItemHeight,
          int(shownIds_.size()) * look_.MenuItemHeight, Colour(look_.BarColor),
          Colour(look_.BarToColor));
  const RECT body{r.left + look_.BarWidth, r.top, r.right, r.bottom};
  FillColour(dc, body, Colour(look_.Color));
  if (selected) {
    FillColour(dc, r, Colour(look_.SelectedColor));
    Brush border(CreateSolidBrush(Colour(look_.SelectedBorderColor)));
    FrameRect(dc, &r, border.get());
  }
  Selection font(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, grey       ? kGreyText
                   : selected ? Colour(look_.SelectedFontColor)
                              : Colour(look_.FontColor));
  RECT text = body;
  text.left += kTextGap;
  DrawTextW(
      dc, caption.c_str(), int(caption.size()), &text,
      DT_SINGLELINE | DT_VCENTER | DT_LEFT | ((item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0));
  buffer.Show();
}

}  // namespace qev::win32
