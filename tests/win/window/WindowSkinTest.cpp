// The window's skin theme against the real Windows API: a skin file found by the search
// restyles the themed controls that the theme manager lists (the check box's glyph and
// size, the pop-up menu's drawn colours), and the face's pictures follow it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "skin/SUI2SkinReader.h"
#include "skin/SkinWriter.h"
#include "tests/unit/skin/BmpMaker.h"
#include "tests/win/window/WindowTestKit.h"
#include "win32/Gbk.h"
#include "win32/MessageDialogs.h"
#include "win32/SkinnedLook.h"
#include "win32/Win32FileSystem.h"
#include "win32/WinCheckBox.h"
#include "win32/WinMenus.h"
#include "win32/WinSkinTheme.h"

namespace qev::test {
namespace {

constexpr uint32_t kItem = 0x00204060;    // 0x00BBGGRR
constexpr uint32_t kBarTop = 0x00102030;  // the left bar starts here ...
constexpr uint32_t kBarEnd = 0x00102030;  // ... and stays one colour, easy to read back
constexpr int kGlyphW = 20, kGlyphH = 18;

// A plain one-colour BMP file (colour 0x00RRGGBB).
std::string Solid(int w, int h, uint32_t rgb) {
  BmpLayout b;
  b.width = w;
  b.height = h;
  b.pixels.assign(size_t(w) * size_t(h), rgb);
  return MakeBmp(b);
}

// Writes QevLogin.ssk with the values into dir (made if missing); its GBK path.
std::string WriteSkinFile(const std::filesystem::path& dir, const std::vector<SkinValue>& values) {
  std::filesystem::create_directories(dir);
  const std::filesystem::path path = dir / "QevLogin.ssk";
  std::ofstream(path, std::ios::binary)
      << BuildSkinContainer({{kSkinDataEntryName, BuildSkinData(values)}});
  std::string gbk;
  EXPECT_TRUE(qev::WideToGbk(path.wstring(), gbk));
  return gbk;
}

std::string WriteSkin(const std::filesystem::path& dir) {
  return WriteSkinFile(
      dir, {
               SkinValue::Integer("SKIN2_MENUITEMCOLOR", kItem),
               SkinValue::Integer("SKIN2_LEFTBARSTARTCOLOR", kBarTop),
               SkinValue::Integer("SKIN2_LEFTBARENDCOLOR", kBarEnd),
               SkinValue::Bitmap("SKIN2_CHECKBOX", Solid(kGlyphW * 6, kGlyphH, 0x336699)),
               SkinValue::Bitmap("QEV_START_NORMAL", Solid(175, 50, 0x00FF00)),
           });
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
}

struct MenuSeen {
  RECT rect{};
  COLORREF bar = CLR_INVALID, body = CLR_INVALID;
};

MenuSeen ReadOpenMenu(int itemHeight) {
  MenuSeen seen;
  HWND popup = FindThreadWindow(L"#32768");
  EXPECT_NE(popup, nullptr);
  if (!popup) return seen;
  UpdateWindow(popup);
  GetWindowRect(popup, &seen.rect);
  // Half an item down: inside the first item, clear of the menu window's border.
  const int y = seen.rect.top + itemHeight / 2;
  seen.bar = ScreenPixel(seen.rect.left + 10, y);
  seen.body = ScreenPixel(seen.rect.right - 12, y);
  EndMenu();
  return seen;
}

TEST(SkinTheme, ALoadedSkinRestylesTheListedControlsAndTheLook) {
  WindowTestKit kit;
  Win32FileSystem fs;
  win32::WinSkinTheme theme(fs, GetModuleHandleW(nullptr));
  win32::SkinnedLook look(kit.look);
  int loads = 0;
  theme.OnSkinLoaded = [&] {
    ++loads;
    look.Reload(theme.FileTheme());
  };
  win32::WinCheckBox box(kit.kit, kit.fonts.Body.get(), &theme.Form(), "Opt1", theme.Resources());
  ASSERT_TRUE(box.Create(1201, win32::layout::kOpt1, "x", true, ""));
  kit.window.AddChild(1201, &box);
  win32::WinMenuItem item(2001, "item");
  win32::WinPopupMenu menu(kit.window.Handle(), {&item}, &theme.Form(), "suiPopupMenu1");
  theme.ApplyStoredSettings(win32::MainWindowThemedNames());

  // No skin: DeepBlue's menu (white items, the bar in 0xCED3D6) and 13-pixel glyph.
  EXPECT_EQ(menu.UIStyle(), FromThemeFile);
  EXPECT_EQ(menu.Look().Color, 0xFFFFFFu);
  RECT r;
  GetClientRect(box.Handle(), &r);
  const int builtInWidth = r.right;
  EXPECT_EQ(look.Button(win32::ButtonFace::Start, win32::ButtonState::Normal),
            kit.look.Button(win32::ButtonFace::Start, win32::ButtonState::Normal));

  // Found nowhere: nothing happens.
  theme.SetThemeFile("C:\\no\\such\\folder\\QevLogin-none.ssk");
  EXPECT_EQ(loads, 0);
  EXPECT_FALSE(theme.Ready());

  const auto dir = std::filesystem::temp_directory_path() / "qev-skin-window-test";
  theme.SetThemeFile(WriteSkin(dir));
  ASSERT_TRUE(theme.Ready());
  EXPECT_EQ(loads, 1);

  // The check box took the skin's glyph (a sixth of the strip) and sized itself to it.
  GetClientRect(box.Handle(), &r);
  EXPECT_EQ(r.right, builtInWidth + kGlyphW - 13);
  EXPECT_GE(r.bottom, kGlyphH + 4);
  // The menu re-read its colours; the start button has the skin's pictures.
  EXPECT_EQ(menu.Look().Color, kItem);
  EXPECT_EQ(menu.Look().MenuItemHeight, 21);
  HBITMAP start = look.Button(win32::ButtonFace::Start, win32::ButtonState::Hover);
  EXPECT_NE(start, kit.look.Button(win32::ButtonFace::Start, win32::ButtonState::Hover));
  EXPECT_TRUE(look.SkinnedButton(win32::ButtonFace::Start));
  EXPECT_FALSE(look.SkinnedButton(win32::ButtonFace::Close));

  // Drawn by the menu itself: the bar and the item body in the skin's colours.
  MenuSeen seen;
  ActInsideModalLoop(L"#32768", [&] { seen = ReadOpenMenu(menu.Look().MenuItemHeight); });
  menu.Popup(TPoint{200, 200});
  EXPECT_EQ(seen.bar, COLORREF(kBarTop));
  EXPECT_EQ(seen.body, COLORREF(kItem));

  // The MacOS style's measures follow the requested style.
  menu.SetUIStyle(MacOS);
  EXPECT_EQ(menu.Look().MenuItemHeight, 20);
  EXPECT_EQ(menu.Look().SeparatorHeight, 12);
  std::filesystem::remove_all(dir);
}

// A title corner of the transparent colour: cut out of the dialog in the region rows
// only, and the dialog keeps the rest of its rectangle.
TEST(SkinTheme, TheDialogsTitleCornersFollowTheSkinsRegionRows) {
  WindowTestKit kit;
  Win32FileSystem fs;
  win32::WinSkinTheme theme(fs, GetModuleHandleW(nullptr));
  win32::WinMessForm mess(kit.window, kit.fonts, &theme.Form(), theme.Resources());
  theme.ApplyStoredSettings(win32::MainWindowThemedNames());
  // The left piece: its 6 x 6 top-left corner fuchsia, the rest dark.
  BmpLayout left;
  left.width = 20;
  left.height = 24;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 20; ++x) left.pixels.push_back(x < 6 && y < 6 ? 0xFF00FF : 0x203040);
  const auto dir = std::filesystem::temp_directory_path() / "qev-skin-dialog-test";
  theme.SetThemeFile(
      WriteSkinFile(dir, {
                             SkinValue::Integer("SKIN2_TRANSCOLOR", 0xFF00FF),
                             SkinValue::Boolean("SKIN2_TITLEBARNEEDREGION", true),
                             SkinValue::Integer("SKIN2_TITLEBARREGIONMINY", 0),
                             SkinValue::Integer("SKIN2_TITLEBARREGIONMAXY", 3),
                             SkinValue::Bitmap("SKIN2_TITLEBAR1", MakeBmp(left)),
                             SkinValue::Bitmap("SKIN2_TITLEBAR2", Solid(10, 24, 0x203040)),
                             SkinValue::Bitmap("SKIN2_TITLEBAR3", Solid(10, 24, 0x203040)),
                         }));
  ASSERT_TRUE(theme.Ready());

  bool inRegion[4] = {};
  int regionKind = ERROR;
  ActInsideModalLoop(L"#32770", [&] {
    HWND dialog = FindThreadWindow(L"#32770");
    ASSERT_NE(dialog, nullptr);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    regionKind = GetWindowRgn(dialog, shape);
    // A corner pixel in the region rows, the same column below them, a pixel just right
    // of the fuchsia, and the middle of the body.
    const POINT probes[4] = {{2, 2}, {2, 5}, {6, 2}, {100, 60}};
    for (int i = 0; i < 4; ++i) inRegion[i] = PtInRegion(shape, probes[i].x, probes[i].y);
    DeleteObject(shape);
    EndDialog(dialog, 2);
  });
  mess.SetText("x");
  mess.ShowModal();
  EXPECT_NE(regionKind, ERROR);
  EXPECT_FALSE(inRegion[0]);
  EXPECT_TRUE(inRegion[1]);
  EXPECT_TRUE(inRegion[2]);
  EXPECT_TRUE(inRegion[3]);
  std::filesystem::remove_all(dir);
}

// SKIN2_TITLEFIVESECT: left, caption and third piece at their own widths, the fourth
// stretched over what is left, the fifth at the right edge; each read back from the
// dialog's top row on screen.
TEST(SkinTheme, AFiveSectionTitleLaysOutItsPiecesInOrder) {
  WindowTestKit kit;
  Win32FileSystem fs;
  win32::WinSkinTheme theme(fs, GetModuleHandleW(nullptr));
  win32::WinMessForm mess(kit.window, kit.fonts, &theme.Form(), theme.Resources());
  theme.ApplyStoredSettings(win32::MainWindowThemedNames());
  const uint32_t colours[5] = {0xC02020, 0x20C020, 0x2020C0, 0xC0C020, 0x20C0C0};  // RRGGBB
  const int widths[5] = {20, 30, 10, 8, 12};
  std::vector<SkinValue> values{SkinValue::Boolean("SKIN2_TITLEFIVESECT", true)};
  for (int i = 0; i < 5; ++i)
    values.push_back(SkinValue::Bitmap("SKIN2_TITLEBAR" + std::to_string(i + 1),
                                       Solid(widths[i], 24, colours[i])));
  const auto dir = std::filesystem::temp_directory_path() / "qev-skin-five-test";
  theme.SetThemeFile(WriteSkinFile(dir, values));
  ASSERT_TRUE(theme.Ready());

  COLORREF seen[5] = {};
  int width = 0;
  ActInsideModalLoop(L"#32770", [&] {
    HWND dialog = FindThreadWindow(L"#32770");
    ASSERT_NE(dialog, nullptr);
    UpdateWindow(dialog);
    RECT client;
    GetClientRect(dialog, &client);
    width = client.right;
    // Inside each piece, on the top row (the caption's text is centred lower down).
    const int xs[5] = {10, 35, 55, width / 2, width - 6};
    for (int i = 0; i < 5; ++i) {
      POINT p{xs[i], 1};
      ClientToScreen(dialog, &p);
      seen[i] = ScreenPixel(p.x, p.y);
    }
    EndDialog(dialog, 2);
  });
  mess.SetText("x");
  mess.ShowModal();
  ASSERT_GT(width, 120);
  for (int i = 0; i < 5; ++i) {
    const uint32_t c = colours[i];
    EXPECT_EQ(seen[i], RGB(c >> 16, (c >> 8) & 0xFF, c & 0xFF)) << "piece " << i + 1;
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qev::test
