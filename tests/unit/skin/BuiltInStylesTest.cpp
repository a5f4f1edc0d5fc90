// Built-in styles, the style rule, frames and window outlines.

#include <gtest/gtest.h>

#include "BmpMaker.h"
#include "FakeResources.h"
#include "skin/BuiltInStyles.h"
#include "skin/ExtractFrame.h"
#include "skin/FileTheme.h"
#include "skin/RegionRuns.h"
#include "skin/SkinWriter.h"
#include "skin/ThemeStyle.h"
#include "tests/fakes/MemFileSystem.h"

namespace qev {
namespace {

using test::FakeResources;

TEST(ResolveThemeStyle, BuiltInRequestsWinAndAFileNeedsAReadyTheme) {
  test::MemFileSystem fs;
  fs.AddFile("C:\\g\\s.ssk",
             BuildSkinContainer(
                 {{kSkinDataEntryName, BuildSkinData({SkinValue::Integer("SKIN2_X", 1)})}}));
  TsuiFileTheme theme(fs, {});
  auto resolve = [&](const TsuiFileTheme* t, TsuiUIStyle s) {
    ThemeStyleChoice c = ResolveThemeStyle(t, s);
    return std::make_pair(c.UsesFile, c.Style);
  };
  EXPECT_EQ(resolve(nullptr, FromThemeFile), std::make_pair(false, DeepBlue));
  EXPECT_EQ(resolve(&theme, FromThemeFile), std::make_pair(false, DeepBlue));  // not ready
  EXPECT_EQ(resolve(nullptr, Protein), std::make_pair(false, Protein));
  theme.SetThemeFile("C:\\g\\s.ssk");
  ASSERT_TRUE(theme.Ready());
  EXPECT_TRUE(resolve(&theme, FromThemeFile).first);
  EXPECT_EQ(resolve(&theme, WinXP), std::make_pair(false, WinXP));
}

TEST(BuiltInStyles, TableValuesKindsAndOutOfRangeAnswers) {
  // Values straight from the table, one per kind and style.
  EXPECT_EQ(GetBuiltInInteger(BlueGlass, 13), 270);
  EXPECT_EQ(GetBuiltInInteger(MacOS, 8), -2);
  EXPECT_EQ(GetBuiltInInteger(WinXP, 17), 3);
  EXPECT_EQ(GetBuiltInColor(WinXP, 16), 0xC82C00u);
  EXPECT_EQ(GetBuiltInColor(DeepBlue, 18), 0xA04A44u);
  EXPECT_EQ(GetBuiltInColor(Protein, 48), 0xFBFBFBu);
  EXPECT_TRUE(GetBuiltInBoolean(MacOS, 2));
  EXPECT_FALSE(GetBuiltInBoolean(DeepBlue, 2));
  EXPECT_TRUE(GetBuiltInBoolean(Protein, 6));
  EXPECT_EQ(GetBuiltInBitmapName(DeepBlue, 3), "DEEPBLUE_CHECKBOX");
  EXPECT_EQ(GetBuiltInBitmapName(BlueGlass, 38), "MORE_SCROLLBUTTON");
  EXPECT_EQ(GetBuiltInBitmapName(WinXP, 41), "WINXP_SIDECHENNEL_HANDLE");
  EXPECT_EQ(GetBuiltInBitmapName(MacOS, 43), "");
  // Only the low 7 bits of a style count.
  EXPECT_EQ(GetBuiltInColor(DeepBlue | 0x80, 15), 0xE8E8E8u);
  // Another kind than asked, a style outside 1-5, a position outside 1-48.
  EXPECT_EQ(GetBuiltInInteger(DeepBlue, 15), -1);
  EXPECT_EQ(GetBuiltInColor(DeepBlue, 13), 0u);
  EXPECT_FALSE(GetBuiltInBoolean(MacOS, 1));
  EXPECT_EQ(GetBuiltInBitmapName(DeepBlue, 2), "");
  for (int style : {0, 6, 127}) {
    EXPECT_EQ(GetBuiltInInteger(style, 13), -1);
    EXPECT_EQ(GetBuiltInColor(style, 15), 0u);
    EXPECT_FALSE(GetBuiltInBoolean(style, 2));
    EXPECT_EQ(GetBuiltInBitmapName(style, 1), "");
  }
  EXPECT_EQ(GetBuiltInInteger(DeepBlue, 0), -1);
  EXPECT_EQ(GetBuiltInColor(DeepBlue, 49), 0u);
}

TEST(BuiltInStyles, BitmapLoadsWholeOrOneFrameAndLeavesTheDestinationOtherwise) {
  FakeResources res;
  res.Add("DEEPBLUE_CHECKBOX", test::TestBmp(52, 13, 1));
  PlainBitmap dest;
  GetBuiltInBitmap(res, DeepBlue, 3, &dest, 4, 2);
  ASSERT_EQ(dest.Width, 13);
  EXPECT_EQ(dest.Pixel(0, 0) >> 16 & 0xFF, 13u);
  GetBuiltInBitmap(res, DeepBlue, 3, &dest, 0, 0);
  EXPECT_EQ(dest.Width, 52);

  dest.Width = 99;                                  // a marker: nothing below may touch it
  GetBuiltInBitmap(res, DeepBlue, 2, &dest, 0, 0);  // a boolean position
  GetBuiltInBitmap(res, WinXP, 3, &dest, 0, 0);     // no such resource
  GetBuiltInBitmap(res, 9, 3, &dest, 0, 0);         // no such style
  GetBuiltInBitmap(res, DeepBlue, 3, nullptr, 0, 0);
  EXPECT_EQ(dest.Width, 99);
  EXPECT_EQ(res.requests,
            (std::vector<std::string>{"DEEPBLUE_CHECKBOX", "DEEPBLUE_CHECKBOX", "WINXP_CHECKBOX"}));
}

TEST(ExtractFrame, EqualFramesAndARemainderDroppedLeftOfTheLastFrame) {
  PlainBitmap strip52 = DecodeBmp(test::TestBmp(52, 13, 0));
  PlainBitmap f;
  for (int i = 1; i <= 4; ++i) {
    ExtractFrame(strip52, f, 4, i);
    ASSERT_EQ(f.Width, 13);
    ASSERT_EQ(f.Height, 13);
    EXPECT_EQ(f.Pixel(0, 12) >> 16 & 0xFF, static_cast<uint32_t>((i - 1) * 13));
    EXPECT_EQ(f.Pixel(12, 5), strip52.Pixel(i * 13 - 1, 5));
  }
  PlainBitmap strip53 = DecodeBmp(test::TestBmp(53, 2, 0));
  ExtractFrame(strip53, f, 4, 3);
  EXPECT_EQ(f.Pixel(0, 0) >> 16 & 0xFF, 26u);
  ExtractFrame(strip53, f, 4, 4);  // columns 40 to 52
  ASSERT_EQ(f.Width, 13);
  EXPECT_EQ(f.Pixel(0, 1) >> 16 & 0xFF, 40u);
  EXPECT_EQ(f.Pixel(12, 1) >> 16 & 0xFF, 52u);
  // No frame to cut: empty.
  for (auto [count, index] : {std::pair{4, 5}, {4, 0}, {0, 1}, {60, 1}}) {
    ExtractFrame(strip53, f, count, index);
    EXPECT_EQ(f.Width, 0) << count << " " << index;
  }
}

PlainBitmap Glyph(int w, int h, std::vector<uint32_t> rgb) {
  test::BmpLayout b;
  b.width = w;
  b.height = h;
  b.pixels = std::move(rgb);
  return DecodeBmp(test::MakeBmp(b));
}

TEST(RegionFromBitmap, RunsOfNonTransparentPixelsRowByRow) {
  constexpr uint32_t F = 0xFF00FF, K = 0x000000, W = 0xFFFFFF;
  EXPECT_TRUE(RegionFromBitmap(Glyph(3, 2, {F, F, F, F, F, F}), 0xFF00FF).empty());
  std::vector<RegionRun> runs = RegionFromBitmap(Glyph(5, 3,
                                                       {
                                                           F, F, F, F, K,  // last column only
                                                           K, W, F, K, F,  // two runs
                                                           W, W, W, W, W,  // the whole row
                                                       }),
                                                 0xFF00FF);
  EXPECT_EQ(runs, (std::vector<RegionRun>{{0, 4, 5}, {1, 0, 2}, {1, 3, 4}, {2, 0, 5}}));
  // The transparent colour is a Windows colour value (blue in the high byte).
  EXPECT_EQ(RegionFromBitmap(Glyph(2, 1, {0x0000FF, 0xFF0000}), 0xFF0000),
            (std::vector<RegionRun>{{0, 1, 2}}));
}

TEST(DecodeDibResource, ResourceBytesDecodeAsTheBitmapFileDoes) {
  test::BmpLayout paletted;
  paletted.width = 3;
  paletted.height = 2;
  paletted.bits = 8;
  paletted.palette = {0x102030, 0x405060, 0x708090};
  paletted.pixels = {0, 1, 2, 2, 1, 0};
  for (const std::string& file : {test::TestBmp(7, 3, 9), test::MakeBmp(paletted)}) {
    PlainBitmap want = DecodeBmp(file);
    PlainBitmap got = DecodeDibResource(std::string_view(file).substr(14));
    EXPECT_EQ(got.Width, want.Width);
    EXPECT_EQ(got.Pixels, want.Pixels);
  }
  EXPECT_THROW(DecodeDibResource("short"), BmpError);
}

}  // namespace
}  // namespace qev
