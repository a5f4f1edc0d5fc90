#pragma once
// Plain bitmaps (decoded skin pictures and built-in resources) on the Windows side: as
// GDI bitmaps, drawn straight into a device context, and loaded from the executable's
// bitmap resources for the built-in styles.

#include <windows.h>

#include <map>
#include <string>
#include <string_view>

#include "skin/BmpDecoder.h"
#include "skin/BuiltInStyles.h"
#include "win32/StoredRows.h"

namespace qev::win32 {

// A 32-bit top-down DIB section holding the picture; null for an empty picture.
HBITMAP BitmapFromPlain(const PlainBitmap& picture);

// A black 32-bit top-down DIB section; null when the size is empty.
HBITMAP BlankBitmap(int width, int height);

// Copies the picture opaque into dc with its top-left corner at (x, y).
void DrawPlain(HDC dc, int x, int y, const PlainBitmap& picture);

// Stretches the picture over dest; pixels of the transparent colour (0x00BBGGRR) are
// left out when transparent is true.
void DrawPlainStretched(HDC dc, const RECT& dest, const PlainBitmap& picture, bool transparent,
                        COLORREF transparentColour);

// Frame index (1-based) of count of a strip, stretched over dest (see DrawPlainStretched).
void DrawPlainFrame(HDC dc, const RECT& dest, const PlainBitmap& strip, int count, int index,
                    bool transparent, COLORREF transparentColour);

// A bitmap resource of the module decoded to 32-bit pixels; false when it is missing or
// damaged.
bool DecodeBitmapResource(HINSTANCE module, const wchar_t* name, PlainBitmap& out);

// The same as a 32-bit top-down DIB section: GDI copies it to the screen's format without
// converting each pixel; null when it is missing or damaged.
HBITMAP LoadBitmapResource(HINSTANCE module, const wchar_t* name);

// A bitmap resource's rows in place when they are plain 24- or 32-bit rows; false for
// any other kind of bitmap, or when it is missing.
bool StoredBitmapResource(HINSTANCE module, const wchar_t* name, StoredRows& out);

// Copies the stored picture's pixels from (from.x, from.y) on into dc over to; only
// rows stored bottom up, as bitmap files keep them, are drawn.
void DrawStoredRows(HDC dc, const RECT& to, const StoredRows& rows, POINT from);

// The bitmap resources of a module (the launcher executable), decoded once each: the
// themed controls ask for the same strips whenever they measure or paint themselves.
class WinBitmapResources : public BitmapResources {
 public:
  explicit WinBitmapResources(HINSTANCE module) : module_(module) {}
  bool LoadBitmapResource(std::string_view name, PlainBitmap& out) override;

 private:
  bool Decode(std::string_view name, PlainBitmap& out) const;

  HINSTANCE module_;
  // Every name asked for, with its picture; an empty picture for one that is missing.
  std::map<std::string, PlainBitmap, std::less<>> decoded_;
};

// The running executable's resources, for pieces made without a composition (tests).
BitmapResources& OwnBitmapResources();

}  // namespace qev::win32
