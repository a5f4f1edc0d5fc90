// Pop-up menus and the drawn message dialogs as automation sees them while they are
// open, and the commands and answers they give back.
#include <gtest/gtest.h>

#include "tests/win/window/WindowTestKit.h"
#include "win32/MessageDialogs.h"
#include "win32/WinMenus.h"

namespace qev::test {
namespace {

struct MenuSeen {
  std::vector<std::string> captions;
  std::vector<bool> enabled;
};

MenuSeen ReadOpenMenuAndClose() {
  MenuSeen seen;
  HWND popup = FindThreadWindow(L"#32768");
  EXPECT_NE(popup, nullptr);
  HMENU menu = popup ? reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)) : nullptr;
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, UINT(i), text, 64, MF_BYPOSITION);
    seen.captions.push_back(Utf8(text));
    seen.enabled.push_back(!(GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_GRAYED));
  }
  EndMenu();
  return seen;
}

TEST(PopupMenu, ShowsTheVisibleItemsAsSetJustBeforeAndRunsPostedCommands) {
  WindowTestKit kit;
  win32::WinMenuItem show(2001, "\xcf\xd4\xca\xbe\xb4\xb0\xbf\xda(&H)");  // 显示窗口(&H)
  win32::WinMenuItem quit(2004, "\xcd\xcb\xb3\xf6(&Q)");                  // 退出(&Q)
  win32::WinMenuItem hidden(2108, "hidden", false);
  win32::WinPopupMenu menu(kit.window.Handle(), {&show, &hidden, &quit});
  kit.window.AddMenuItem(&show);
  kit.window.AddMenuItem(&quit);
  menu.OnChange = [&] { show.SetEnabled(false); };

  MenuSeen seen;
  ActInsideModalLoop(L"#32768", [&] { seen = ReadOpenMenuAndClose(); });
  menu.Popup(TPoint{100, 100});
  EXPECT_EQ(seen.captions, (std::vector<std::string>{"显示窗口(&H)", "退出(&Q)"}));
  EXPECT_EQ(seen.enabled, (std::vector<bool>{false, true}));

  int quits = 0;
  quit.OnClick = [&] { ++quits; };
  SendMessageW(kit.window.Handle(), WM_COMMAND, 2004, 0);
  EXPECT_EQ(quits, 1);
}

struct DialogSeen {
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;
  HWND owner = nullptr;
};

// Reads the open dialog, then presses the button at index press.
DialogSeen ReadDialogAndPress(size_t press) {
  DialogSeen seen;
  HWND dialog = FindThreadWindow(L"#32770");
  EXPECT_NE(dialog, nullptr);
  if (!dialog) return seen;
  seen.caption = Utf8(WideText(dialog));
  seen.owner = GetWindow(dialog, GW_OWNER);
  std::vector<HWND> buttons;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(c, cls, 32);
    if (std::wstring(cls) == L"Static") seen.text = Utf8(WideText(c));
    if (std::wstring(cls) == L"Button") {
      seen.buttons.push_back(Utf8(WideText(c)));
      buttons.push_back(c);
    }
  }
  if (press < buttons.size()) SendMessageW(buttons[press], BM_CLICK, 0, 0);
  return seen;
}

TEST(MessageDialogs, OwnedDialogsWithReadableTextsAndTheirAnswers) {
  WindowTestKit kit;
  win32::WinMessForm mess(kit.window, kit.fonts);
  mess.SetIcon(TMessForm::Icon::Stop);
  mess.SetFont("\xcb\xce\xcc\xe5", 9);
  mess.SetCaption(" \xc9\xf1\xd3\xf2");  // " 神域"
  mess.SetText(
      "\xb7\xfe\xce\xf1\xc6\xf7\xd5\xfd\xd4\xda\xce\xac\xbb\xa4\xd6\xd0");  // 服务器正在维护中
  DialogSeen seen;
  ActInsideModalLoop(L"#32770", [&] { seen = ReadDialogAndPress(0); });
  EXPECT_EQ(mess.ShowModal(), 1);
  EXPECT_EQ(seen.caption, " 神域");
  EXPECT_EQ(seen.text, "服务器正在维护中");
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{"确定"}));
  EXPECT_EQ(seen.owner, kit.window.Handle());

  win32::WinMessageDialog question(kit.window, kit.fonts);
  question.SetCaption("\xd3\xd1\xc7\xe9\xcc\xe1\xca\xbe");  // 友情提示
  question.SetText("?");
  ActInsideModalLoop(L"#32770", [&] { seen = ReadDialogAndPress(0); });
  EXPECT_EQ(question.ShowModal(), TMessageDialog::kYes);
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{"(&Y)是", "(&N)否"}));
  EXPECT_EQ(seen.caption, "友情提示");
  ActInsideModalLoop(L"#32770", [&] { seen = ReadDialogAndPress(1); });
  EXPECT_EQ(question.ShowModal(), TMessageDialog::kNo);
}

}  // namespace
}  // namespace qev::test
