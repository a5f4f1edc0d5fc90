// What the main window's skinned controls take from a skin file or the built-in
// DeepBlue style, and how the theme manager hands style and theme to them.

#include <gtest/gtest.h>

#include "BmpMaker.h"
#include "FakeResources.h"
#include "skin/ControlLooks.h"
#include "skin/FileTheme.h"
#include "skin/OperatorArt.h"
#include "skin/SkinWriter.h"
#include "skin/ThemeManager.h"
#include "tests/fakes/MemFileSystem.h"

namespace qev {
namespace {

using test::FakeResources;
using test::MemFileSystem;

const char kPath[] = "C:\\game\\QevLogin.ssk";

class Loaded : public ::testing::Test {
 protected:
  void Load(std::vector<SkinValue> values) {
    fs.AddFile(kPath, BuildSkinContainer({{kSkinDataEntryName, BuildSkinData(values)}}));
    theme.SetThemeFile(kPath);
    ASSERT_TRUE(theme.Ready());
  }
  MemFileSystem fs;
  TsuiFileTheme theme{fs, {}};
  FakeResources res;
};

// The red channel of TestBmp pictures is the column: a frame's first pixel tells
// where in the strip it was cut.
uint32_t FirstColumn(const PlainBitmap& b) { return b.Pixel(0, 0) >> 16 & 0xFF; }

TEST_F(Loaded, CheckBoxUsesSixSkinFramesOrFourBuiltInFrames) {
  res.Add("DEEPBLUE_CHECKBOX", test::TestBmp(52, 13, 0));
  // No skin: frame 2 of 4 when unchecked and enabled.
  PlainBitmap g = CheckBoxGlyph(&theme, FromThemeFile, res, false, true);
  ASSERT_EQ(g.Width, 13);
  EXPECT_EQ(FirstColumn(g), 13u);
  EXPECT_EQ(FirstColumn(CheckBoxGlyph(nullptr, FromThemeFile, res, true, false)), 26u);

  Load({SkinValue::Bitmap("SKIN2_CHECKBOX", test::TestBmp(6 * 15, 15, 0))});
  struct {
    bool checked, enabled;
    uint32_t column;
  } cases[] = {{true, true, 0}, {false, true, 30}, {true, false, 45}, {false, false, 75}};
  for (const auto& c : cases) {
    g = CheckBoxGlyph(&theme, FromThemeFile, res, c.checked, c.enabled);
    ASSERT_EQ(g.Width, 15);
    EXPECT_EQ(FirstColumn(g), c.column) << c.checked << c.enabled;
  }
  // A built-in style asked for explicitly ignores the loaded skin.
  EXPECT_EQ(CheckBoxGlyph(&theme, DeepBlue, res, false, true).Width, 13);
  // glyph 13 + caption 50 + 8; larger of 13 and 12 + 2, plus 4.
  EXPECT_EQ(CheckBoxAutoSize(13, 13, 50, 12), (ControlSize{71, 18}));
  EXPECT_EQ(CheckBoxAutoSize(13, 13, 50, 8), (ControlSize{71, 17}));
}

TEST_F(Loaded, MenuColoursFromTheSkinOrDeepBlueAndMeasuresByStyle) {
  MenuLook m = ResolveMenuLook(&theme, FromThemeFile);  // not ready: DeepBlue
  EXPECT_EQ(m.BarColor, 0xCED3D6u);
  EXPECT_EQ(m.BarToColor, 0xCED3D6u);
  EXPECT_EQ(m.Color, 0xFFFFFFu);
  EXPECT_EQ(m.FontColor, 0x000000u);
  EXPECT_EQ(m.SelectedBorderColor, 0xA04A44u);
  EXPECT_EQ(m.SelectedColor, 0xA04A44u);
  EXPECT_EQ(m.SelectedFontColor, 0xFFFFFFu);
  EXPECT_EQ(m.BorderColor, 0xE8E8E8u);
  EXPECT_EQ(m.BarWidth, 26);
  EXPECT_EQ(std::tie(m.MenuItemHeight, m.SeparatorHeight, m.SeparatorColor),
            std::make_tuple(21, 5, 8684164u));
  MenuLook mac = ResolveMenuLook(nullptr, MacOS);
  EXPECT_EQ(std::tie(mac.MenuItemHeight, mac.SeparatorHeight, mac.SeparatorColor),
            std::make_tuple(20, 12, 0u));
  EXPECT_EQ(mac.BarColor, 0x000000u);

  Load({SkinValue::Integer("SKIN2_LEFTBARSTARTCOLOR", 1),
        SkinValue::Integer("SKIN2_LEFTBARENDCOLOR", 2),
        SkinValue::Integer("SKIN2_MENUITEMCOLOR", 3),
        SkinValue::Integer("SKIN2_MENUITEMFONTCOLOR", 4),
        SkinValue::Integer("SKIN2_SELECTEDMENUBORDERCOLOR", 5),
        SkinValue::Integer("SKIN2_SELECTEDMENUCOLOR", 6),
        SkinValue::Integer("SKIN2_SELECTEDMENUFONTCOLOR", 7)});
  m = ResolveMenuLook(&theme, FromThemeFile);
  EXPECT_EQ((std::vector<uint32_t>{m.BarColor, m.BarToColor, m.Color, m.FontColor,
                                   m.SelectedBorderColor, m.SelectedColor, m.SelectedFontColor}),
            (std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(m.BorderColor, 0xFFFFFFFFu);  // SKIN2_FORMCOLOR missing: -1 as it is
  EXPECT_EQ(m.MenuItemHeight, 21);
}

TEST_F(Loaded, DialogBuiltInDeepBlueLook) {
  res.Add("DEEPBLUE_TITLE_LEFT", test::TestBmp(97, 32, 1));
  res.Add("DEEPBLUE_TITLE_CLIENT", test::TestBmp(98, 32, 2));
  res.Add("DEEPBLUE_TITLE_RIGHT", test::TestBmp(97, 32, 3));
  res.Add("DEEPBLUE_TITLEBTN", test::TestBmp(342, 19, 4));
  res.Add("DEEPBLUE_BUTTON", test::TestBmp(222, 21, 5));
  DialogLook d = ResolveDialogLook(&theme, FromThemeFile, res);
  EXPECT_EQ(d.CaptionFontColor, 0xFFFFFFu);
  EXPECT_EQ(d.TextFontColor, 0u);
  EXPECT_FALSE(d.Form.FromFile);
  EXPECT_EQ(d.Form.FormColor, 0xE8E8E8u);
  EXPECT_EQ(d.Form.MenuBarStartColor, 0xE8E8E8u);
  EXPECT_EQ(d.Form.BorderColor, 0u);
  EXPECT_EQ(d.Form.BorderWidth, 1);
  EXPECT_EQ(d.Form.RoundCorner, 0);
  EXPECT_EQ(d.Form.TransparentColor, 0xFF00FFu);
  EXPECT_EQ(d.Title.SectionCount, 3);
  EXPECT_EQ(d.Title.Sections[1].Width, 98);
  EXPECT_EQ(d.Title.Buttons.Width, 342);
  EXPECT_EQ(std::tie(d.Title.LeftOffset, d.Title.RightOffset, d.Title.ButtonTop),
            std::make_tuple(0, 0, 2));
  EXPECT_EQ(std::tie(d.Title.MinFormWidth, d.Title.MinFormHeight), std::make_tuple(130, 50));
  EXPECT_EQ(d.Button.Strip.Width, 222);
  EXPECT_FALSE(d.Button.Transparent);
  EXPECT_EQ(ResolveDialogLook(nullptr, MacOS, res).CaptionFontColor, 0u);
  EXPECT_EQ(ResolveDialogLook(nullptr, WinXP, res).Title.MinFormWidth, 150);
}

TEST_F(Loaded, DialogLookFromASkinOutlivesTheSkin) {
  Load({SkinValue::Integer("SKIN2_TITLEFONTCOLOR", 0x0000FF),
        SkinValue::Integer("SKIN2_CONTROLFONTCOLOR", 0x00FF00),
        SkinValue::Integer("SKIN2_FORMCOLOR", 0x101010),
        SkinValue::Boolean("SKIN2_TITLEFIVESECT", true),
        SkinValue::Bitmap("SKIN2_TITLEBAR1", test::TestBmp(10, 30, 1)),
        SkinValue::Bitmap("SKIN2_TITLEBAR5", test::TestBmp(12, 30, 1)),
        SkinValue::Bitmap("SKIN2_FORMLEFTBORDER", test::TestBmp(4, 8, 1)),
        SkinValue::Bitmap("SKIN2_FORMRIGHTBORDER", test::TestBmp(5, 8, 1)),
        SkinValue::Bitmap("SKIN2_FORMBOTTOMBORDER1", test::TestBmp(8, 6, 1)),
        SkinValue::Bitmap("SKIN2_BUTTON", test::TestBmp(3 * 73, 25, 1)),
        SkinValue::Boolean("SKIN2_BUTTONTRANS", true),
        SkinValue::Integer("SKIN2_TITLEBARCAPTIONTOP", 9)});
  DialogLook d = ResolveDialogLook(&theme, FromThemeFile, res);
  EXPECT_EQ(d.CaptionFontColor, 0x0000FFu);
  EXPECT_EQ(d.Title.CaptionColor, 0x0000FFu);
  EXPECT_EQ(d.TextFontColor, 0x00FF00u);
  EXPECT_TRUE(d.Form.FromFile);
  EXPECT_EQ(std::tie(d.Form.LeftWidth, d.Form.RightWidth, d.Form.BottomHeight),
            std::make_tuple(4, 5, 6));
  EXPECT_EQ(d.Title.SectionCount, 5);
  EXPECT_EQ(d.Title.Sections[4].Width, 12);
  EXPECT_EQ(d.Title.Sections[1].Width, 0);  // missing: none, used as it is
  EXPECT_EQ(d.Title.CaptionTop, 9);
  EXPECT_EQ(d.Title.ButtonTop, -1);
  EXPECT_TRUE(d.Button.Transparent);
  EXPECT_TRUE(res.requests.empty());

  fs.AddFile(kPath, "damaged now");
  theme.SetThemeFile(kPath);
  ASSERT_FALSE(theme.Ready());
  EXPECT_EQ(d.Button.Strip.Width, 219);  // the copy is still whole
  EXPECT_EQ(d.Button.Strip.Pixels.size(), 219u * 25);
}

TEST_F(Loaded, OperatorPicturesReplaceBuiltInsOnlyWhereGiven) {
  EXPECT_EQ(SkinFace(theme), nullptr);
  EXPECT_EQ(SkinImageButton(theme, ImageButtonArt::Start).Normal, nullptr);
  Load({SkinValue::Bitmap("QEV_FACE", test::TestBmp(8, 6, 1)),
        SkinValue::Bitmap("qev_start_normal", test::TestBmp(5, 2, 1)),
        SkinValue::Bitmap("QEV_START_DOWN", test::TestBmp(5, 2, 2)),
        SkinValue::Bitmap("QEV_CLOSE_HOVER", test::TestBmp(3, 3, 3)),
        SkinValue::Bitmap("QEV_ICON_UP", test::TestBmp(17, 17, 4))});
  ASSERT_NE(SkinFace(theme), nullptr);
  EXPECT_EQ(SkinFace(theme)->Width, 8);
  ImageButtonPictures start = SkinImageButton(theme, ImageButtonArt::Start);
  ASSERT_NE(start.Normal, nullptr);
  EXPECT_EQ(start.MouseOn, start.Normal);
  EXPECT_EQ(start.Disabled, start.Normal);
  ASSERT_NE(start.MouseDown, nullptr);
  EXPECT_EQ(start.MouseDown->Pixel(0, 0) & 0xFF, 2u);
  // A hover picture without a normal one is not used.
  EXPECT_EQ(SkinImageButton(theme, ImageButtonArt::Close).MouseOn, nullptr);
  EXPECT_NE(SkinStatusIcon(theme, true), nullptr);
  EXPECT_EQ(SkinStatusIcon(theme, false), nullptr);
  EXPECT_EQ(ImageButtonRecordName(ImageButtonArt::Pay, ButtonState::Disabled), "QEV_PAY_DISABLED");
}

// A listed control that records what the manager set, in order.
class Listed : public ThemedControl {
 public:
  Listed(ComponentOwner* owner, std::string name, std::vector<std::string>* log)
      : ThemedControl(owner, name, DeepBlue), log_(log) {}

 protected:
  void ApplyStyle() override {
    log_->push_back(Name() + ":" + std::to_string(UIStyle()) + (FileTheme() ? "+theme" : ""));
  }

 private:
  std::vector<std::string>* log_;
};

TEST(ThemeManager, AppliesToListedComponentsAndForgetsRemovedOnes) {
  MemFileSystem fs;
  std::vector<std::string> log;
  ComponentOwner form;
  TsuiThemeManager manager(&form);
  auto theme = std::make_unique<TsuiFileTheme>(fs, ThemeSearchFolders{}, &form);
  auto opt1 = std::make_unique<Listed>(&form, "Opt1", &log);
  Listed menu(&form, "suiPopupMenu1", &log), other(&form, "Other", &log);
  int changes = 0;
  manager.OnUIStyleChanged = [&](TsuiThemeManager& m) {
    EXPECT_EQ(&m, &manager);
    ++changes;
  };
  manager.SetCompList({"opt1", "Gone", "suiPopupMenu1"});
  manager.SetUIStyle(FromThemeFile);
  EXPECT_EQ(log,
            (std::vector<std::string>{"Opt1:0", "Opt1:0", "suiPopupMenu1:0", "suiPopupMenu1:0"}));
  EXPECT_EQ(changes, 1);
  log.clear();
  manager.SetFileTheme(theme.get());  // writes UIStyle again: no change event
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(log.back(), "suiPopupMenu1:0+theme");
  EXPECT_EQ(opt1->FileTheme(), theme.get());
  EXPECT_EQ(other.FileTheme(), nullptr);

  opt1.reset();
  EXPECT_EQ(manager.CompList(), (std::vector<std::string>{"Gone", "suiPopupMenu1"}));
  log.clear();
  theme.reset();
  EXPECT_EQ(manager.FileTheme(), nullptr);
  EXPECT_EQ(manager.UIStyle(), DeepBlue);
  EXPECT_EQ(menu.FileTheme(), nullptr);
  EXPECT_EQ(menu.UIStyle(), DeepBlue);
  EXPECT_TRUE(log.empty());  // reset directly, nothing re-applied
  EXPECT_EQ(changes, 1);
}

TEST(ThemeComponents, NewControlsStartWithTheFirstSkinnedFormsStyle) {
  class Inner : public ThemedControl {
   public:
    using ThemedControl::ThemedControl;
    bool IsSkinnedForm() const override { return true; }
  };
  ComponentOwner form;
  EXPECT_EQ(InitialStyleFromOwner(&form), DeepBlue);
  EXPECT_EQ(InitialStyleFromOwner(nullptr), DeepBlue);
  Inner first(&form, "suiForm1", Protein), second(&form, "suiForm2", MacOS);
  EXPECT_EQ(InitialStyleFromOwner(&form), Protein);
}

}  // namespace
}  // namespace qev
