#include "win32/FaceBackdrop.h"

#include <array>

#include "win32/FaceRegion.h"
#include "win32/Gbk.h"
#include "win32/MainLayout.h"
#include "win32/WinBitmaps.h"

namespace qev::win32 {

namespace {

enum class DecorFont { Heading, Title, Small };

struct Decor {
  const char* gbk;  // nullptr: the window title
  RECT place;
  DecorFont font;
  UINT align;
};

// The words the face carries, drawn where tools/artgen leaves room for them.
constexpr std::array<Decor, 4> kDecor = {{
    {"\xd1\xa1\xd4\xf1\xb7\xfe\xce\xf1\xc6\xf7",
     {14, 72, 339, 100},
     DecorFont::Heading,
     DT_CENTER},  // 选择服务器
    {"\xd7\xee\xd0\xc2\xb9\xab\xb8\xe6",
     {392, 54, 492, 72},
     DecorFont::Heading,
     DT_CENTER},  // 最新公告
    {nullptr, {24, 446, 476, 494}, DecorFont::Title, DT_CENTER},
    {"\xb5\xd6\xd6\xc6\xb2\xbb\xc1\xbc\xd3\xce\xcf\xb7 \xbe\xdc\xbe\xf8\xb5\xc1\xb0\xe6\xd3\xce"
     "\xcf\xb7 \xd7\xa2\xd2\xe2\xd7\xd4\xce\xd2\xb1\xa3\xbb\xa4 \xbd\xf7\xb7\xc0\xca\xdc\xc6\xad"
     "\xc9\xcf\xb5\xb1",
     {20, 542, 340, 558},
     DecorFont::Small,
     DT_LEFT},  // 抵制不良游戏 拒绝盗版游戏 注意自我保护 谨防受骗上当
}};

HFONT FontOf(const LookFonts& fonts, DecorFont which) {
  switch (which) {
    case DecorFont::Heading:
      return fonts.Heading.get();
    case DecorFont::Title:
      return fonts.Title.get();
    case DecorFont::Small:
      return fonts.Body.get();
  }
  return fonts.Body.get();
}

// Text with a dark shade one pixel down and right, so it reads on any part of the art.
void ShadedText(HDC dc, const std::wstring& text, RECT r, UINT align, COLORREF colour,
                COLORREF shade) {
  const UINT flags = align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  OffsetRect(&r, 1, 1);
  SetTextColor(dc, shade);
  DrawTextW(dc, text.c_str(), int(text.size()), &r, flags);
  OffsetRect(&r, -1, -1);
  SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), int(text.size()), &r, flags);
}

// The decor's words, drawn into dc whose top-left corner lies at origin on the face.
void DrawDecor(HDC dc, const Look& look, const LookFonts& fonts, const std::string& title,
               const Decor& d, POINT origin) {
  SetBkMode(dc, TRANSPARENT);
  Selection font(dc, FontOf(fonts, d.font));
  const std::wstring text = GbkToWide(d.gbk ? std::string(d.gbk) : title);
  const COLORREF colour =
      d.font == DecorFont::Small ? RGB(0x9A, 0x86, 0x5C) : look.Colour(LookColour::DecorText);
  RECT place = d.place;
  OffsetRect(&place, -origin.x, -origin.y);
  ShadedText(dc, text, place, d.align, colour, look.Colour(LookColour::ButtonTextShadow));
}

// The face to draw on, at the client size: a face of another size is cut to it or
// padded with a dark panel, which also stands in for a look without a face.
HBITMAP ClientSizedFace(const Look& look) {
  Bitmap face(look.MakeFace());
  const SIZE size = BitmapSize(face.get());
  if (size.cx == layout::kClientWidth && size.cy == layout::kClientHeight) return face.release();
  HBITMAP picture = BlankBitmap(layout::kClientWidth, layout::kClientHeight);
  MemoryDc dc(nullptr);
  Selection to(dc.get(), picture);
  FillColour(dc.get(), RECT{0, 0, layout::kClientWidth, layout::kClientHeight},
             RGB(0x14, 0x12, 0x1C));
  if (face) {
    MemoryDc faceDc(nullptr);
    Selection from(faceDc.get(), face.get());
    BitBlt(dc.get(), 0, 0, size.cx, size.cy, faceDc.get(), 0, 0, SRCCOPY);
  }
  return picture;
}

}  // namespace

void FaceBackdrop::Compose(const Look& look, const LookFonts& fonts, const std::string& title) {
  picture_.reset();
  pieces_.clear();
  if (look.StoredFace(stored_) && stored_.bottomUp && stored_.width == layout::kClientWidth &&
      stored_.height == layout::kClientHeight) {
    for (const Decor& d : kDecor) {
      // One pixel more to the right and below, for the words' shade.
      const RECT place{d.place.left, d.place.top, d.place.right + 1, d.place.bottom + 1};
      const int w = place.right - place.left, h = place.bottom - place.top;
      Piece piece{place, Bitmap(BlankBitmap(w, h))};
      MemoryDc dc(nullptr);
      Selection to(dc.get(), piece.picture.get());
      DrawStoredRows(dc.get(), RECT{0, 0, w, h}, stored_, POINT{place.left, place.top});
      DrawDecor(dc.get(), look, fonts, title, d, POINT{place.left, place.top});
      pieces_.push_back(std::move(piece));
    }
    return;
  }
  stored_ = StoredRows{};
  picture_.reset(ClientSizedFace(look));
  MemoryDc dc(nullptr);
  Selection to(dc.get(), picture_.get());
  for (const Decor& d : kDecor) DrawDecor(dc.get(), look, fonts, title, d, POINT{0, 0});
}

void FaceBackdrop::Fill(HDC dc, HWND main, HWND child, const RECT& area) const {
  RECT onFace = area;
  MapWindowPoints(child, main, reinterpret_cast<POINT*>(&onFace), 2);
  const POINT shift{area.left - onFace.left, area.top - onFace.top};
  if (!picture_) {
    DrawStoredRows(dc, area, stored_, POINT{onFace.left, onFace.top});
    for (const Piece& piece : pieces_) {
      RECT common;
      if (!IntersectRect(&common, &onFace, &piece.place)) continue;
      MemoryDc pieceDc(dc);
      Selection from(pieceDc.get(), piece.picture.get());
      BitBlt(dc, common.left + shift.x, common.top + shift.y, common.right - common.left,
             common.bottom - common.top, pieceDc.get(), common.left - piece.place.left,
             common.top - piece.place.top, SRCCOPY);
    }
    return;
  }
  HDC screen = GetDC(nullptr);
  MemoryDc faceDc(screen);
  ReleaseDC(nullptr, screen);
  Selection from(faceDc.get(), picture_.get());
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, faceDc.get(),
         onFace.left, onFace.top, SRCCOPY);
}

HRGN FaceBackdrop::Shape(COLORREF transparent) const {
  if (picture_) return RegionFromTopDownDib(picture_.get(), transparent);
  return RegionFromStoredRows(stored_, transparent);
}

}  // namespace qev::win32
