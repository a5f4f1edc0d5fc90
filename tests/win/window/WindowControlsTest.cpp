// The main window's controls over real child windows: what automation reads back, the
// clicks of the zone list, the combo box field, buttons and check boxes.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tests/win/window/WindowTestKit.h"
// After <windows.h>, which the kit brings.
#include <commctrl.h>
#include "win32/MainLayout.h"
#include "win32/WinCheckBox.h"
#include "win32/WinComboBox.h"
#include "win32/WinImageButton.h"
#include "win32/WinLabel.h"
#include "win32/WinListBox.h"

namespace qev::test {
namespace {

constexpr char kTelecom[] = "\xb5\xe7\xd0\xc5\xd2\xbb\xc7\xf8";  // 电信一区
constexpr char kNetcom[] = "\xcd\xf8\xcd\xa8\xd2\xbb\xc7\xf8";   // 网通一区

std::wstring ListText(HWND list, int row) {
  wchar_t buf[128] = {};
  SendMessageW(list, LB_GETTEXT, WPARAM(row), reinterpret_cast<LPARAM>(buf));
  return buf;
}

TEST(ZoneList, RowsReadBackAndEveryClickRunsTheSelection) {
  WindowTestKit kit;
  win32::WinListBox list(kit.kit, kit.fonts.Body.get());
  ASSERT_TRUE(list.Create(1001, win32::layout::kCombo1));
  kit.window.AddChild(1001, &list);
  HWND h = list.Handle();
  RECT r;
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, kit.window.Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ((std::tuple{r.left, r.top, r.right - r.left, r.bottom - r.top}),
            (std::tuple{24, 104, 305, 321}));
  const DWORD style = DWORD(GetWindowLongW(h, GWL_STYLE));
  EXPECT_TRUE(style & LBS_OWNERDRAWFIXED);
  EXPECT_TRUE(style & LBS_HASSTRINGS);
  EXPECT_EQ(SendMessageW(h, LB_GETITEMHEIGHT, 0, 0), 16);

  list.Add(kTelecom);
  list.Add(kNetcom);
  EXPECT_EQ(Utf8(ListText(h, 1)), "网通一区");
  int clicks = 0;
  list.OnClick = [&] { ++clicks; };

  ClickAt(h, 20, 16 + 8);  // the second row
  EXPECT_EQ(list.ItemIndex(), 1);
  ClickAt(h, 20, 16 + 8);  // the same row again still counts
  EXPECT_EQ(clicks, 2);

  // The probe rewrites the selected row: it stays selected and readable.
  list.SetRow(1, std::string(kNetcom) + "  12ms");
  EXPECT_EQ(list.ItemIndex(), 1);
  EXPECT_EQ(Utf8(ListText(h, 1)), "网通一区  12ms");
  EXPECT_EQ(list.Row(1), std::string(kNetcom) + "  12ms");
  EXPECT_THROW(list.SetRow(2, "x"), std::out_of_range);
  EXPECT_EQ(list.Row(5), "");

  ClickAt(h, 20, 200);  // below the last row: a click, and no row is current
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(list.ItemIndex(), -1);
}

TEST(InterfaceChoice, TypingIntoTheFieldLeavesNoRowSelected) {
  WindowTestKit kit;
  win32::WinComboBox combo(kit.kit, kit.fonts.Body.get());
  ASSERT_TRUE(combo.Create(1301, win32::layout::kCombo2));
  kit.window.AddChild(1301, &combo);
  combo.Add("3G\xbd\xe7\xc3\xe6");
  combo.Add("1.45\xbd\xe7\xc3\xe6");
  combo.SetItemIndex(1);
  EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Utf8(WideText(combo.Handle())), "1.45界面");

  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo.Handle(), &info));
  SendMessageW(info.hwndItem, WM_CHAR, L'x', 0);
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETCURSEL, 0, 0), CB_ERR);
  // What was typed stays in the field.
  EXPECT_NE(WideText(combo.Handle()).find(L'x'), std::wstring::npos);
}

// The field is drawn in the window's colours, not the system's white, and reaches up to
// a drop button of fixed width, which still opens the list.
TEST(InterfaceChoice, DrawsItsOwnFrameAndAFixedButtonThatOpensTheList) {
  WindowTestKit kit;
  win32::WinComboBox combo(kit.kit, kit.fonts.Body.get());
  ASSERT_TRUE(combo.Create(1301, win32::layout::kCombo2));
  kit.window.AddChild(1301, &combo);
  combo.Add("1.45\xbd\xe7\xc3\xe6");
  combo.SetItemIndex(0);
  HWND h = combo.Handle();
  RECT client;
  GetClientRect(h, &client);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(h, &info));
  RECT field;
  GetWindowRect(info.hwndItem, &field);
  MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&field), 2);
  EXPECT_EQ(field.right, client.right - 18);

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = SelectObject(dc, picture);
  SendMessageW(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  const COLORREF corner = GetPixel(dc, 0, 0), inside = GetPixel(dc, 2, 2),
                 button = GetPixel(dc, client.right - 3, 2);
  SelectObject(dc, old);
  DeleteObject(picture);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  for (COLORREF c : {corner, inside, button}) EXPECT_NE(c, RGB(255, 255, 255));
  EXPECT_EQ(inside, kit.look.Colour(win32::LookColour::EditBack));

  EXPECT_FALSE(SendMessageW(h, CB_GETDROPPEDSTATE, 0, 0));
  const int y = client.bottom / 2;
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 8, y));
  EXPECT_TRUE(SendMessageW(h, CB_GETDROPPEDSTATE, 0, 0));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(client.right - 8, y));
  SendMessageW(h, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST(ImageButton, ClickRunsTheCommandAndReportsTheReleasePoint) {
  WindowTestKit kit;
  win32::WinImageButton button(kit.kit, win32::ButtonFace::AccountMenu, kit.fonts.Button.get());
  ASSERT_TRUE(button.Create(1106, win32::layout::kSuiButton6, "\xd5\xcb\xba\xc5\xb7\xfe\xce\xf1",
                            true));  // 账号服务
  kit.window.AddChild(1106, &button);
  wchar_t cls[32] = {};
  GetClassNameW(button.Handle(), cls, 32);
  EXPECT_EQ(std::wstring(cls), L"Button");
  EXPECT_EQ(Utf8(WideText(button.Handle())), "账号服务");

  int clicks = 0;
  std::vector<std::pair<int, int>> ups;
  button.OnClick = [&] { ++clicks; };
  button.OnMouseUp = [&](TPoint p) { ups.push_back({p.x, p.y}); };
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  ASSERT_EQ(ups.size(), 1u);
  ClickAt(button.Handle(), 30, 12);
  ASSERT_EQ(ups.size(), 2u);
  EXPECT_EQ(ups[1], (std::pair{30, 12}));
  const TPoint screen = button.ClientToScreen(TPoint{30, 12});
  POINT expected{30, 12};
  ClientToScreen(button.Handle(), &expected);
  EXPECT_EQ((std::pair{screen.x, screen.y}), (std::pair{int(expected.x), int(expected.y)}));

  EXPECT_EQ(clicks, 2);
  // A disabled button runs nothing, even when automation sends it a click.
  button.SetEnabled(false);
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(ups.size(), 2u);
}

BOOL CALLBACK CollectToolTip(HWND h, LPARAM list) {
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  if (wcscmp(cls, TOOLTIPS_CLASSW) == 0) reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
  return TRUE;
}

std::vector<HWND> ThreadToolTips() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), CollectToolTip, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST(CheckBox, KeepsItsStateForAutomationAndSizesToItsCaption) {
  WindowTestKit kit;
  win32::WinCheckBox box(kit.kit, kit.fonts.Body.get());
  ASSERT_TRUE(box.Create(1202, win32::layout::kOpt2, "1024*768", true, "hint"));
  kit.window.AddChild(1202, &box);
  const LONG style = GetWindowLongW(box.Handle(), GWL_STYLE);
  EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
  EXPECT_FALSE(box.Checked());
  SendMessageW(box.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  box.SetChecked(false);
  EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  // Glyph + caption + 8 wide, so the caption is never cut.
  HDC dc = GetDC(box.Handle());
  SelectObject(dc, kit.fonts.Body.get());
  SIZE text{};
  GetTextExtentPoint32W(dc, L"1024*768", 8, &text);
  ReleaseDC(box.Handle(), dc);
  RECT r;
  GetClientRect(box.Handle(), &r);
  const int glyph = win32::BitmapSize(kit.look.CheckBoxStrip()).cx / 4;
  EXPECT_EQ(r.right, glyph + text.cx + 8);
  // A new caption is measured at the next fit (style or theme written), not the old one.
  box.SetText("1024*768 (W)");
  box.SetUIStyle(box.UIStyle());
  dc = GetDC(box.Handle());
  SelectObject(dc, kit.fonts.Body.get());
  GetTextExtentPoint32W(dc, L"1024*768 (W)", 12, &text);
  ReleaseDC(box.Handle(), dc);
  GetClientRect(box.Handle(), &r);
  EXPECT_EQ(r.right, glyph + text.cx + 8);

  // The hint's tool tip comes with the mouse, and holds the hint.
  EXPECT_TRUE(ThreadToolTips().empty());
  SendMessageW(box.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  SendMessageW(box.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 3));
  const std::vector<HWND> made = ThreadToolTips();
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(SendMessageW(made[0], TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t hint[32] = {};
  TTTOOLINFOW info = {};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_IDISHWND;
  info.hwnd = kit.window.Handle();
  info.uId = reinterpret_cast<UINT_PTR>(box.Handle());
  info.lpszText = hint;
  SendMessageW(made[0], TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(std::wstring(hint), L"hint");
}

TEST(Label, GrowsToItsTextButNeverBelowItsDesignedSize) {
  WindowTestKit kit;
  win32::WinLabel label(kit.kit, kit.fonts.Body.get());
  ASSERT_TRUE(label.Create(1002, win32::layout::kZT, "\xc7\xeb..."));
  kit.window.AddChild(1002, &label);
  RECT r;
  GetClientRect(label.Handle(), &r);
  EXPECT_EQ((std::pair{int(r.right), int(r.bottom)}), (std::pair{90, 12}));
  // 服务器运行中 12345ms is wider than 90 pixels.
  label.SetText("\xb7\xfe\xce\xf1\xc6\xf7\xd4\xcb\xd0\xd0\xd6\xd0 12345ms");
  GetClientRect(label.Handle(), &r);
  EXPECT_GT(r.right, 90);
  EXPECT_EQ(Utf8(WideText(label.Handle())), "服务器运行中 12345ms");
  label.SetText("x");
  GetClientRect(label.Handle(), &r);
  EXPECT_EQ(r.right, 90);
}

}  // namespace
}  // namespace qev::test
