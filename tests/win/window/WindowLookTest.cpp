// The built-in look as compiled into the program, the window shape made from the face,
// and frames cut from picture strips.
#include <gtest/gtest.h>

#include "tests/win/window/WindowTestKit.h"
#include "win32/FaceRegion.h"
#include "win32/MainLayout.h"
#include "win32/WinBitmaps.h"

namespace qev::test {
namespace {

using win32::ButtonFace;
using win32::ButtonState;

SIZE SizeOf(HBITMAP b) { return win32::BitmapSize(b); }

uint32_t PixelAt(HBITMAP b, int x, int y) {
  PlainBitmap px;
  EXPECT_TRUE(win32::ReadPlain(b, px));
  return px.Pixel(x, y) & 0xFFFFFF;
}

TEST(BuiltInLook, EveryPictureIsThereAtTheSizeOfItsPlace) {
  win32::BuiltInLook look(GetModuleHandleW(nullptr));
  ASSERT_TRUE(look.Complete());
  const win32::Bitmap face(look.MakeFace());
  EXPECT_EQ(SizeOf(face.get()).cx, 864);
  EXPECT_EQ(SizeOf(face.get()).cy, 568);
  // The face is outside the window at its corner and inside it in the middle.
  EXPECT_EQ(PixelAt(face.get(), 0, 0), 0xFF00FFu);
  EXPECT_NE(PixelAt(face.get(), 432, 284), 0xFF00FFu);

  const struct {
    ButtonFace face;
    win32::layout::Place place;
  } buttons[] = {
      {ButtonFace::Start, win32::layout::kSuiButton1},
      {ButtonFace::Account, win32::layout::kSuiButton2},
      {ButtonFace::AccountMenu, win32::layout::kSuiButton6},
      {ButtonFace::Website, win32::layout::kSuiButton7},
      {ButtonFace::Minimize, win32::layout::kMin},
      {ButtonFace::Close, win32::layout::kClose},
      {ButtonFace::Recharge, win32::layout::kZhaohuimima},
      {ButtonFace::StopUpdate, win32::layout::kButton1},
      {ButtonFace::Dialog, {0, 0, 74, 21}},  // a third of the 222 x 21 DeepBlue strip
  };
  for (const auto& b : buttons) {
    SCOPED_TRACE(int(b.face));
    for (ButtonState s :
         {ButtonState::Normal, ButtonState::Hover, ButtonState::Down, ButtonState::Disabled}) {
      const SIZE size = SizeOf(look.Button(b.face, s));
      EXPECT_EQ(size.cx, b.place.width);
      EXPECT_EQ(size.cy, b.place.height);
    }
    // The states must look different, or hover and press give no feedback.
    EXPECT_NE(look.Button(b.face, ButtonState::Normal), look.Button(b.face, ButtonState::Down));
  }
  EXPECT_EQ(SizeOf(look.StatusIcon(true)).cx, 17);
  EXPECT_EQ(SizeOf(look.StatusIcon(false)).cy, 17);
  EXPECT_EQ(SizeOf(look.CheckBoxStrip()).cx % 4, 0);
  EXPECT_NE(look.ProgramIcon(16), nullptr);
  EXPECT_NE(look.ProgramIcon(32), nullptr);
}

TEST(FaceRegion, TheRegionHoldsExactlyTheRunsPixels) {
  // An all-transparent picture: an empty region, not a null one.
  HRGN none = win32::RegionFromRuns({}, 4, 3);
  ASSERT_NE(none, nullptr);
  RECT box;
  EXPECT_EQ(GetRgnBox(none, &box), NULLREGION);
  DeleteObject(none);
  // The last pixel of row 0, columns 1-2 of row 1, all of row 2.
  HRGN shape = win32::RegionFromRuns({{0, 3, 4}, {1, 1, 3}, {2, 0, 4}}, 4, 3);
  ASSERT_NE(shape, nullptr);
  const bool inside[3][4] = {{false, false, false, true},  //
                             {false, true, true, false},   //
                             {true, true, true, true}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(PtInRegion(shape, x, y) != FALSE, inside[y][x]) << x << "," << y;
  DeleteObject(shape);
}

TEST(FaceRegion, TheWindowShapeLeavesTheFuchsiaCornersOut) {
  win32::BuiltInLook look(GetModuleHandleW(nullptr));
  const win32::Bitmap face(look.MakeFace());
  HRGN shape = win32::RegionFromBitmap(face.get(), RGB(255, 0, 255));
  ASSERT_NE(shape, nullptr);
  EXPECT_FALSE(PtInRegion(shape, 0, 0));
  EXPECT_FALSE(PtInRegion(shape, 863, 567));
  EXPECT_TRUE(PtInRegion(shape, 432, 284));
  // Every control's place lies inside the shape.
  for (const auto& p : {win32::layout::kCombo1, win32::layout::kSuiButton1, win32::layout::kClose,
                        win32::layout::kRzLabel1}) {
    EXPECT_TRUE(PtInRegion(shape, p.left, p.top));
    EXPECT_TRUE(PtInRegion(shape, p.left + p.width - 1, p.top + p.height - 1));
  }
  DeleteObject(shape);
}

// A shape with rows that repeat (joined into taller rectangles), rows that differ,
// two runs on some rows and a hole, read in place from a top-down DIB section.
TEST(FaceRegion, ASectionsShapeIsReadInPlaceTopRowFirst) {
  constexpr int kW = 12, kH = 9;
  const char* rows[kH] = {"............",  //
                          "..########..",  //
                          "..########..",  //
                          "############",  //
                          "###.....####",  //
                          "###.....####",  //
                          "############",  //
                          ".#.#.#.#.#.#",  //
                          "............"};
  win32::Bitmap dib(win32::BlankBitmap(kW, kH));
  ASSERT_TRUE(dib);
  {
    win32::MemoryDc dc(nullptr);
    win32::Selection select(dc.get(), dib.get());
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        SetPixel(dc.get(), x, y, rows[y][x] == '#' ? RGB(10, 20, 30) : RGB(255, 0, 255));
  }
  HRGN shape = win32::RegionFromTopDownDib(dib.get(), RGB(255, 0, 255));
  ASSERT_NE(shape, nullptr);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      EXPECT_EQ(PtInRegion(shape, x, y) != FALSE, rows[y][x] == '#') << x << "," << y;
  EXPECT_FALSE(PtInRegion(shape, kW, 3));
  DeleteObject(shape);
}

// The built-in pictures load through a shortcut for plain 24- and 32-bit rows; the
// general decoder must see the same pixels in the same places.
TEST(BuiltInLook, PicturesLoadAsTheDecoderReadsThem) {
  const HINSTANCE self = GetModuleHandleW(nullptr);
  for (const wchar_t* name : {L"FACE", L"BTN_START", L"BTN_CLOSE", L"STATUS_UP",
                              L"DEEPBLUE_CHECKBOX", L"DEEPBLUE_BUTTON"}) {
    PlainBitmap decoded, loaded;
    ASSERT_TRUE(win32::DecodeBitmapResource(self, name, decoded));
    win32::Bitmap bitmap(win32::LoadBitmapResource(self, name));
    ASSERT_TRUE(win32::ReadPlain(bitmap.get(), loaded));
    ASSERT_EQ(loaded.Width, decoded.Width);
    ASSERT_EQ(loaded.Height, decoded.Height);
    size_t differing = 0;
    for (size_t i = 0; i < decoded.Pixels.size(); ++i)
      differing += (loaded.Pixels[i] & 0xFFFFFF) != (decoded.Pixels[i] & 0xFFFFFF);
    EXPECT_EQ(differing, 0u) << "resource " << static_cast<char>(name[0]) << "...";
  }
  EXPECT_EQ(win32::LoadBitmapResource(self, L"NO_SUCH_PICTURE"), nullptr);
}

// The built-in look with its face made as a whole picture, the way a skin's face is.
class MadeFaceLook : public win32::Look {
 public:
  explicit MadeFaceLook(const win32::Look& inner) : inner_(inner) {}
  HBITMAP MakeFace() const override { return inner_.MakeFace(); }
  HBITMAP Button(ButtonFace face, ButtonState state) const override {
    return inner_.Button(face, state);
  }
  HBITMAP StatusIcon(bool running) const override { return inner_.StatusIcon(running); }
  HBITMAP CheckBoxStrip() const override { return inner_.CheckBoxStrip(); }
  COLORREF Colour(win32::LookColour which) const override { return inner_.Colour(which); }
  HICON ProgramIcon(int size) const override { return inner_.ProgramIcon(size); }

 private:
  const win32::Look& inner_;
};

// What Fill draws for a child window at place on the face, read back.
PlainBitmap FilledUnder(const win32::FaceBackdrop& backdrop, HWND main, const RECT& place) {
  const int w = place.right - place.left, h = place.bottom - place.top;
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, place.left, place.top, w, h, main,
                               nullptr, nullptr, nullptr);
  win32::Bitmap canvas(win32::BlankBitmap(w, h));
  {
    win32::MemoryDc dc(nullptr);
    win32::Selection to(dc.get(), canvas.get());
    backdrop.Fill(dc.get(), main, child, RECT{0, 0, w, h});
  }
  DestroyWindow(child);
  PlainBitmap out;
  EXPECT_TRUE(win32::ReadPlain(canvas.get(), out));
  return out;
}

// The built-in face is read where the program stores it, with pictures made only of
// the pieces under the words: children must see the same pixels, words and shade
// included, and the window the same shape, as from the whole composed picture.
TEST(FaceBackdrop, AStoredFaceFillsAndShapesAsTheWholePictureDoes) {
  win32::BuiltInLook look(GetModuleHandleW(nullptr));
  win32::StoredRows rows;
  ASSERT_TRUE(look.StoredFace(rows));
  const MadeFaceLook made(look);
  ASSERT_FALSE(made.StoredFace(rows));
  win32::LookFonts fonts;
  win32::FaceBackdrop stored, whole;
  const char* title = "\xc9\xf1\xd3\xf2\xb4\xab\xcb\xb5";  // 神域传说
  stored.Compose(look, fonts, title);
  whole.Compose(made, fonts, title);

  HWND main = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 864, 568, nullptr, nullptr,
                              nullptr, nullptr);
  ASSERT_NE(main, nullptr);
  const RECT places[] = {
      {0, 0, 864, 568},      // all of it
      {100, 440, 300, 480},  // across the title's words
      {300, 60, 420, 110},   // across the edges of both headings
      {10, 530, 200, 568},   // the small print and the bottom edge
      {600, 200, 617, 217},  // away from all words
  };
  for (const RECT& place : places) {
    SCOPED_TRACE(testing::Message() << place.left << "," << place.top);
    const PlainBitmap a = FilledUnder(stored, main, place), b = FilledUnder(whole, main, place);
    ASSERT_EQ(a.Pixels.size(), b.Pixels.size());
    size_t differing = 0;
    for (size_t i = 0; i < a.Pixels.size(); ++i)
      differing += (a.Pixels[i] & 0xFFFFFF) != (b.Pixels[i] & 0xFFFFFF);
    EXPECT_EQ(differing, 0u);
  }
  // The words really are there: the title's place differs from the bare face.
  const win32::Bitmap bare(look.MakeFace());
  PlainBitmap face;
  ASSERT_TRUE(win32::ReadPlain(bare.get(), face));
  const PlainBitmap titled = FilledUnder(stored, main, RECT{24, 446, 476, 494});
  size_t drawn = 0;
  for (int y = 0; y < titled.Height; ++y)
    for (int x = 0; x < titled.Width; ++x)
      drawn += (titled.Pixel(x, y) & 0xFFFFFF) != (face.Pixel(24 + x, 446 + y) & 0xFFFFFF);
  EXPECT_GT(drawn, 200u);
  DestroyWindow(main);

  HRGN a = stored.Shape(RGB(255, 0, 255)), b = whole.Shape(RGB(255, 0, 255));
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(EqualRgn(a, b));
  EXPECT_FALSE(PtInRegion(a, 0, 0));
  EXPECT_TRUE(PtInRegion(a, 432, 284));
  DeleteObject(a);
  DeleteObject(b);
}

TEST(CutFrame, EqualFramesAndTheLastOneFromTheRightEdge) {
  // A 53 x 1 strip whose pixel i has the colour i.
  HDC screen = GetDC(nullptr);
  HBITMAP strip = CreateCompatibleBitmap(screen, 53, 1);
  {
    win32::MemoryDc dc(screen);
    win32::Selection s(dc.get(), strip);
    for (int x = 0; x < 53; ++x) SetPixel(dc.get(), x, 0, RGB(x, 0, 0));
  }
  ReleaseDC(nullptr, screen);
  HBITMAP second = win32::CutFrame(strip, 4, 2);
  HBITMAP last = win32::CutFrame(strip, 4, 4);
  ASSERT_NE(second, nullptr);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(SizeOf(second).cx, 13);
  EXPECT_EQ(PixelAt(second, 0, 0), 13u << 16);  // columns 13..25
  EXPECT_EQ(SizeOf(last).cx, 13);
  EXPECT_EQ(PixelAt(last, 0, 0), 40u << 16);  // columns 40..52: the odd column is dropped
  EXPECT_EQ(PixelAt(last, 12, 0), 52u << 16);
  EXPECT_EQ(win32::CutFrame(strip, 4, 5), nullptr);
  EXPECT_EQ(win32::CutFrame(nullptr, 4, 1), nullptr);
  DeleteObject(second);
  DeleteObject(last);
  DeleteObject(strip);
}

}  // namespace
}  // namespace qev::test
