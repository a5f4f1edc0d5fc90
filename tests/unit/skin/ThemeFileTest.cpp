// The skin theme: where it finds the skin file, when it is Ready, what its look-ups
// answer, and how it tells the controls of its form.

#include <gtest/gtest.h>

#include "BmpMaker.h"
#include "skin/FileTheme.h"
#include "skin/SkinWriter.h"
#include "skin/ThemeStyle.h"
#include "tests/fakes/MemFileSystem.h"

namespace qev {
namespace {

using test::MemFileSystem;

const ThemeSearchFolders kFolders{"C:\\game\\", "C:\\windows", "C:\\windows\\system32\\"};

// A skin whose form colour tells the copies apart.
std::string Skin(int32_t formColor, std::string_view password = {}) {
  std::string data = BuildSkinData({
      SkinValue::Integer("SKIN2_FORMCOLOR", formColor),
      SkinValue::Integer("SKIN2_TITLEBARCAPTIONTOP", 7),
      SkinValue::Boolean("SKIN2_TITLEFIVESECT", true),
      SkinValue::Bitmap("SKIN2_CHECKBOX", test::TestBmp(78, 13, 5)),
  });
  return BuildSkinContainer({{kSkinDataEntryName, data}}, password);
}

// A control that counts how often it re-applied its look and what the theme then said.
class Probe : public ThemedControl {
 public:
  Probe(ComponentOwner* owner, std::string name, bool skinnedForm = false)
      : ThemedControl(owner, std::move(name), DeepBlue), skinnedForm_(skinnedForm) {}
  bool IsSkinnedForm() const override { return skinnedForm_; }
  int applied = 0;
  uint32_t seenColor = 0;

 protected:
  void ApplyStyle() override {
    ++applied;
    ThemeStyleChoice c = ResolveThemeStyle(FileTheme(), UIStyle());
    seenColor = c.UsesFile ? FileTheme()->GetColor(SKIN2_FORMCOLOR) : 0xE8E8E8;
  }

 private:
  bool skinnedForm_;
};

class Form : public ComponentOwner {
 public:
  void RedrawFrame() override { ++frameRedraws; }
  int frameRedraws = 0;
};

TEST(FileTheme, SearchesGivenPathThenLauncherWindowsAndSystemFolders) {
  MemFileSystem fs;
  fs.AddFile("C:\\windows\\system32\\QevLogin.ssk", Skin(4));
  TsuiFileTheme theme(fs, kFolders);
  theme.SetThemeFile("D:\\elsewhere\\QevLogin.ssk");
  EXPECT_EQ(theme.ThemeFile(), "C:\\windows\\system32\\QevLogin.ssk");
  EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 4u);

  fs.AddFile("C:\\windows\\QevLogin.ssk", Skin(3));
  theme.SetThemeFile("D:\\elsewhere\\QevLogin.ssk");
  EXPECT_EQ(theme.ThemeFile(), "C:\\windows\\QevLogin.ssk");
  EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 3u);

  fs.AddFile("C:\\game\\QevLogin.ssk", Skin(2));
  theme.SetThemeFile("D:\\elsewhere\\QevLogin.ssk");
  EXPECT_EQ(theme.ThemeFile(), "C:\\game\\QevLogin.ssk");
  EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 2u);

  // A path whose file exists is used as given, even with a copy beside the launcher.
  fs.AddFile("D:\\elsewhere\\QevLogin.ssk", Skin(1));
  theme.SetThemeFile("D:\\elsewhere\\QevLogin.ssk");
  EXPECT_EQ(theme.ThemeFile(), "D:\\elsewhere\\QevLogin.ssk");
  EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 1u);
  EXPECT_TRUE(theme.Ready());
}

TEST(FileTheme, NameFoundNowhereKeepsTheLoadedSkinButAFailedLoadDropsIt) {
  MemFileSystem fs;
  fs.AddFile("C:\\game\\QevLogin.ssk", Skin(0x123456));
  fs.AddFile("C:\\game\\broken.ssk", "SK not really a skin");
  TsuiFileTheme theme(fs, kFolders);
  EXPECT_FALSE(theme.Ready());
  theme.SetThemeFile("C:\\game\\QevLogin.ssk");
  ASSERT_TRUE(theme.Ready());

  theme.SetThemeFile("C:\\game\\missing.ssk");
  EXPECT_TRUE(theme.Ready());
  EXPECT_EQ(theme.ThemeFile(), "C:\\game\\QevLogin.ssk");
  EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 0x123456u);

  theme.SetThemeFile("C:\\game\\broken.ssk");
  EXPECT_FALSE(theme.Ready());
  EXPECT_EQ(theme.ThemeFile(), "C:\\game\\broken.ssk");
  // No reader: none, 0, 0 and false.
  EXPECT_EQ(theme.GetBitmap(SKIN2_CHECKBOX), nullptr);
  EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 0u);
  EXPECT_EQ(theme.GetInteger(SKIN2_TITLEBARCAPTIONTOP), 0);
  EXPECT_FALSE(theme.GetBoolean(SKIN2_TITLEFIVESECT));
}

TEST(FileTheme, EncipheredSkinIsReadyOnlyOnceItsPasswordIsSet) {
  MemFileSystem fs;
  fs.AddFile("C:\\game\\QevLogin.ssk", Skin(9, "secret"));
  TsuiFileTheme theme(fs, kFolders);
  theme.SetThemeFile("C:\\game\\QevLogin.ssk");
  EXPECT_FALSE(theme.Ready());
  EXPECT_EQ(theme.ThemeFile(), "C:\\game\\QevLogin.ssk");

  theme.SetPassword("wrong");
  EXPECT_FALSE(theme.Ready());
  theme.SetPassword("secret");  // a non-empty password reloads
  EXPECT_TRUE(theme.Ready());
  EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 9u);
  theme.SetPassword("");  // stored, no reload
  EXPECT_TRUE(theme.Ready());
  EXPECT_EQ(theme.Password(), "");
}

TEST(FileTheme, LookupsOfALoadedSkinAndOfKeysItLacks) {
  MemFileSystem fs;
  fs.AddFile("C:\\game\\QevLogin.ssk", Skin(0x00FF8040));
  TsuiFileTheme theme(fs, kFolders);
  theme.SetThemeFile("C:\\game\\QevLogin.ssk");
  ASSERT_TRUE(theme.Ready());
  EXPECT_EQ(theme.GetInteger(SKIN2_TITLEBARCAPTIONTOP), 7);
  EXPECT_TRUE(theme.GetBoolean(SKIN2_TITLEFIVESECT));
  // Only the low 7 bits of a key count.
  EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR + 128), 0x00FF8040u);
  // Missing from the file: none, -1, -1, false.
  EXPECT_EQ(theme.GetBitmap(SKIN2_BUTTON), nullptr);
  EXPECT_EQ(theme.GetColor(SKIN2_TITLEFONTCOLOR), 0xFFFFFFFFu);
  EXPECT_EQ(theme.GetInteger(SKIN2_BOTTOMREGIONMAXY), -1);
  EXPECT_FALSE(theme.GetBoolean(SKIN2_BUTTONTRANS));

  PlainBitmap frame;
  theme.GetBitmapFrame(SKIN2_CHECKBOX, frame, 6, 3);  // 78 / 6 = 13 wide
  ASSERT_EQ(frame.Width, 13);
  EXPECT_EQ(frame.Height, 13);
  EXPECT_EQ(frame.Pixel(0, 0) >> 16 & 0xFF, 26u);  // column 26 of the strip
  theme.GetBitmapFrame(SKIN2_CHECKBOX, frame, 0, 2);
  EXPECT_EQ(frame.Width, 78);
  theme.GetBitmapFrame(SKIN2_BUTTON, frame, 3, 1);
  EXPECT_EQ(frame.Width, 0);
  EXPECT_TRUE(frame.Pixels.empty());
}

TEST(FileTheme, LoadingMakesTheFormsControlsReapplyAndRedrawsAReplacedFrame) {
  MemFileSystem fs;
  fs.AddFile("C:\\game\\a.ssk", Skin(0xA));
  fs.AddFile("C:\\game\\b.ssk", Skin(0xB));
  Form form;
  TsuiFileTheme theme(fs, kFolders, &form);
  Probe inner(&form, "suiForm1", true), box(&form, "Opt1"), loose(&form, "Opt2");
  inner.SetUIStyle(FromThemeFile);
  box.SetUIStyle(FromThemeFile);
  loose.SetUIStyle(FromThemeFile);  // no theme: built-in
  inner.SetFileTheme(&theme);
  box.SetFileTheme(&theme);
  EXPECT_EQ(box.seenColor, 0xE8E8E8u);
  int before = box.applied;

  theme.SetThemeFile("C:\\game\\a.ssk");
  EXPECT_GT(box.applied, before);
  EXPECT_EQ(box.seenColor, 0xAu);
  EXPECT_EQ(inner.seenColor, 0xAu);
  EXPECT_EQ(loose.seenColor, 0xE8E8E8u);
  EXPECT_EQ(box.FileTheme(), &theme);
  EXPECT_EQ(form.frameRedraws, 0);  // the first skin replaces none

  theme.SetThemeFile("C:\\game\\b.ssk");
  EXPECT_EQ(box.seenColor, 0xBu);
  EXPECT_EQ(form.frameRedraws, 1);

  before = box.applied;
  fs.AddFile("C:\\game\\c.ssk", "garbage");
  theme.SetThemeFile("C:\\game\\c.ssk");  // failed: nobody is told
  EXPECT_EQ(box.applied, before);
  EXPECT_EQ(form.frameRedraws, 1);
}

TEST(FileTheme, DestroyingTheThemeResetsItsControlsToDeepBlue) {
  MemFileSystem fs;
  Form form;
  Probe box(&form, "Opt1");
  auto theme = std::make_unique<TsuiFileTheme>(fs, kFolders, &form);
  box.SetUIStyle(FromThemeFile);
  box.SetFileTheme(theme.get());
  theme.reset();
  EXPECT_EQ(box.FileTheme(), nullptr);
  EXPECT_EQ(box.UIStyle(), DeepBlue);
  EXPECT_EQ(form.FindComponent("suiFileTheme1"), nullptr);
  EXPECT_EQ(form.FindComponent("opt1"), &box);
}

}  // namespace
}  // namespace qev
