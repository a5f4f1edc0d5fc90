// The sample skin shipped in samples/skin, packed by the operator's tool and loaded
// through the theme; and the built-in DeepBlue pictures at the sizes the window uses.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "ToolRunner.h"
#include "posix/PosixFileSystem.h"
#include "skin/ControlLooks.h"
#include "skin/FileTheme.h"
#include "skin/OperatorArt.h"
#include "skin/RegionRuns.h"

namespace qev {
namespace {

using test::RunTool;
using test::TempFolder;

const std::string kSource = QEV_SOURCE_DIR;

// The built-in pictures as the executable would carry them: one BMP per resource.
class FolderResources : public BitmapResources {
 public:
  explicit FolderResources(std::string dir) : dir_(std::move(dir)) {}
  bool LoadBitmapResource(std::string_view name, PlainBitmap& out) override {
    std::string bytes = test::ReadFileBytes(dir_ + "/" + std::string(name) + ".bmp");
    if (bytes.empty()) return false;
    out = DecodeBmp(bytes);
    return true;
  }

 private:
  std::string dir_;
};

// [integers] of the sample's values.ini, read plainly.
std::map<std::string, uint32_t> SampleIntegers() {
  std::ifstream in(kSource + "/samples/skin/values.ini");
  std::map<std::string, uint32_t> values;
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) section = line;
    size_t eq = line.find('=');
    if (section == "[integers]" && eq != std::string::npos)
      values[line.substr(0, eq)] =
          static_cast<uint32_t>(std::stoll(line.substr(eq + 1), nullptr, 0));
  }
  return values;
}

size_t Covered(const std::vector<RegionRun>& runs) {
  size_t n = 0;
  for (const RegionRun& r : runs) n += static_cast<size_t>(r.Right - r.Left);
  return n;
}

bool InRegion(const std::vector<RegionRun>& runs, int x, int y) {
  for (const RegionRun& r : runs)
    if (r.Top == y && x >= r.Left && x < r.Right) return true;
  return false;
}

TEST(SampleSkin, PacksAndDressesTheWindowThroughTheTheme) {
  TempFolder dir;
  std::string skin = dir / "QevLogin.ssk";
  test::ToolResult packed = RunTool({"skin", "pack", kSource + "/samples/skin", skin});
  ASSERT_EQ(packed.Exit, 0) << packed.Err;

  PosixFileSystem fs;
  FolderResources builtIn(kSource + "/app/res/deepblue");
  // Found beside the launcher although the given path names another folder.
  TsuiFileTheme theme(fs, {dir.Path() + "/", "", ""});
  theme.SetThemeFile("/nonexistent/QevLogin.ssk");
  ASSERT_TRUE(theme.Ready());

  // Check box: frames 1, 3, 4 and 6 of the six-frame strip are four different pictures.
  const PlainBitmap* strip = theme.GetBitmap(SKIN2_CHECKBOX);
  ASSERT_NE(strip, nullptr);
  int frameWidth = strip->Width / 6;
  std::vector<std::vector<uint32_t>> seen;
  for (auto [checked, enabled, frame] :
       {std::tuple{true, true, 1}, {false, true, 3}, {true, false, 4}, {false, false, 6}}) {
    PlainBitmap g = CheckBoxGlyph(&theme, FromThemeFile, builtIn, checked, enabled);
    ASSERT_EQ(g.Width, frameWidth);
    EXPECT_EQ(g.Pixel(frameWidth / 2, g.Height / 2),
              strip->Pixel((frame - 1) * frameWidth + frameWidth / 2, g.Height / 2));
    for (const auto& other : seen) EXPECT_NE(g.Pixels, other) << "frame " << frame;
    seen.push_back(g.Pixels);
  }

  std::map<std::string, uint32_t> values = SampleIntegers();
  DialogLook dialog = ResolveDialogLook(&theme, FromThemeFile, builtIn);
  EXPECT_EQ(dialog.CaptionFontColor, values.at("SKIN2_TITLEFONTCOLOR"));
  EXPECT_EQ(dialog.Form.FormColor, values.at("SKIN2_FORMCOLOR"));
  EXPECT_GT(dialog.Title.Sections[0].Width, 0);
  EXPECT_GT(dialog.Title.Sections[2].Width, 0);
  EXPECT_EQ(dialog.Button.Strip.Height, kDialogButtonHeight);
  EXPECT_EQ(ResolveMenuLook(&theme, FromThemeFile).SelectedColor,
            values.at("SKIN2_SELECTEDMENUCOLOR"));

  // The face: the whole client area, rounded corners cut away, the middle all window.
  const PlainBitmap* face = SkinFace(theme);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(std::pair(face->Width, face->Height), std::pair(864, 568));
  std::vector<RegionRun> region = RegionFromBitmap(*face, 0xFF00FF);
  for (auto [x, y] : {std::pair{0, 0}, {863, 0}, {0, 567}, {863, 567}})
    EXPECT_FALSE(InRegion(region, x, y)) << x << "," << y;
  EXPECT_TRUE(InRegion(region, 0, 284));
  EXPECT_TRUE(InRegion(region, 863, 284));
  EXPECT_TRUE(InRegion(region, 432, 0));
  EXPECT_GT(Covered(region), size_t{864 * 568} * 99 / 100);

  // Every image button has its four pictures at its place's size.
  struct {
    ImageButtonArt art;
    int w, h;
  } buttons[] = {{ImageButtonArt::Start, 175, 50},   {ImageButtonArt::Account, 120, 40},
                 {ImageButtonArt::Service, 120, 40}, {ImageButtonArt::Website, 120, 40},
                 {ImageButtonArt::Min, 31, 34},      {ImageButtonArt::Close, 32, 33},
                 {ImageButtonArt::Pay, 67, 18}};
  for (const auto& b : buttons) {
    ImageButtonPictures p = SkinImageButton(theme, b.art);
    ASSERT_NE(p.Normal, nullptr);
    for (const PlainBitmap* pic : {p.Normal, p.MouseOn, p.MouseDown, p.Disabled}) {
      EXPECT_EQ(std::pair(pic->Width, pic->Height), std::pair(b.w, b.h));
      EXPECT_EQ(pic->ColorAt(0, 0), 0xFF00FFu);  // the top-left pixel is the see-through colour
    }
    EXPECT_NE(p.MouseOn, p.Normal);
  }
  EXPECT_NE(SkinStatusIcon(theme, true), nullptr);
  EXPECT_NE(SkinStatusIcon(theme, false), nullptr);
}

TEST(SampleSkin, BuiltInDeepBluePicturesHaveTheWindowsSizes) {
  FolderResources builtIn(kSource + "/app/res/deepblue");
  std::map<std::string, std::pair<int, int>> sizes = {{"DEEPBLUE_CHECKBOX", {52, 13}},
                                                      {"DEEPBLUE_BUTTON", {222, 21}},
                                                      {"DEEPBLUE_TITLEBTN", {342, 19}},
                                                      {"DEEPBLUE_TITLE_LEFT", {97, 32}},
                                                      {"DEEPBLUE_TITLE_CLIENT", {98, 32}},
                                                      {"DEEPBLUE_TITLE_RIGHT", {97, 32}},
                                                      {"MSGDLG", {168, 42}}};
  for (const auto& [name, size] : sizes) {
    PlainBitmap b;
    ASSERT_TRUE(builtIn.LoadBitmapResource(name, b)) << name;
    EXPECT_EQ(std::pair(b.Width, b.Height), size) << name;
  }
  // Without a skin: frame 2 of 4 for an unchecked, enabled box, and the four states
  // are four different pictures.
  std::vector<std::vector<uint32_t>> seen;
  for (auto [checked, enabled] :
       {std::pair{true, true}, {false, true}, {true, false}, {false, false}}) {
    PlainBitmap g = CheckBoxGlyph(nullptr, FromThemeFile, builtIn, checked, enabled);
    ASSERT_EQ(std::pair(g.Width, g.Height), std::pair(13, 13));
    for (const auto& other : seen) EXPECT_NE(g.Pixels, other);
    seen.push_back(g.Pixels);
  }
  PlainBitmap whole;
  ASSERT_TRUE(builtIn.LoadBitmapResource("DEEPBLUE_CHECKBOX", whole));
  EXPECT_EQ(seen[1][6 * 13 + 6], whole.Pixel(13 + 6, 6));
}

}  // namespace
}  // namespace qev
