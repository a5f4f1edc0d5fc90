#include "win32/WinBitmaps.h"

#include <cstring>
#include <string>

#include "skin/ExtractFrame.h"
#include "win32/GdiHolders.h"

namespace qev::win32 {

namespace {

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

bool Usable(const PlainBitmap& p) {
  return p.Width > 0 && p.Height > 0 &&
         p.Pixels.size() == static_cast<size_t>(p.Width) * static_cast<size_t>(p.Height);
}

}  // namespace

HBITMAP BitmapFromPlain(const PlainBitmap& picture) {
  if (!Usable(picture)) return nullptr;
  BITMAPINFO info = TopDownInfo(picture.Width, picture.Height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  // The pixels are 0xAARRGGBB, in memory B, G, R, A: the layout of a 32-bit DIB.
  std::memcpy(bits, picture.Pixels.data(), picture.Pixels.size() * sizeof(uint32_t));
  GdiFlush();
  return bitmap;
}

void DrawPlain(HDC dc, int x, int y, const PlainBitmap& picture) {
  if (!Usable(picture)) return;
  BITMAPINFO info = TopDownInfo(picture.Width, picture.Height);
  SetDIBitsToDevice(dc, x, y, DWORD(picture.Width), DWORD(picture.Height), 0, 0, 0,
                    UINT(picture.Height), picture.Pixels.data(), &info, DIB_RGB_COLORS);
}

void DrawPlainStretched(HDC dc, const RECT& dest, const PlainBitmap& picture, bool transparent,
                        COLORREF transparentColour) {
  const int w = dest.right - dest.left, h = dest.bottom - dest.top;
  if (!Usable(picture) || w <= 0 || h <= 0) return;
  Bitmap bitmap(BitmapFromPlain(picture));
  MemoryDc from(dc);
  Selection select(from.get(), bitmap.get());
  if (transparent) {
    TransparentBlt(dc, dest.left, dest.top, w, h, from.get(), 0, 0, picture.Width, picture.Height,
                   transparentColour & 0xFFFFFF);
  } else {
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, dest.left, dest.top, w, h, from.get(), 0, 0, picture.Width, picture.Height,
               SRCCOPY);
    SetStretchBltMode(dc, oldMode);
  }
}

void DrawPlainFrame(HDC dc, const RECT& dest, const PlainBitmap& strip, int count, int index,
                    bool transparent, COLORREF transparentColour) {
  PlainBitmap frame;
  ExtractFrame(strip, frame, count, index);
  DrawPlainStretched(dc, dest, frame, transparent, transparentColour);
}

bool WinBitmapResources::LoadBitmapResource(std::string_view name, PlainBitmap& out) {
  auto known = decoded_.find(name);
  if (known == decoded_.end()) {
    PlainBitmap picture;
    if (!Decode(name, picture)) picture = PlainBitmap{};
    known = decoded_.emplace(std::string(name), std::move(picture)).first;
  }
  if (known->second.Width <= 0) return false;
  out = known->second;
  return true;
}

bool WinBitmapResources::Decode(std::string_view name, PlainBitmap& out) const {
  if (name.empty()) return false;
  const std::wstring wide(name.begin(), name.end());  // resource names are plain ASCII
  HRSRC found = FindResourceW(module_, wide.c_str(), MAKEINTRESOURCEW(2));  // RT_BITMAP
  if (!found) return false;
  HGLOBAL loaded = LoadResource(module_, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return false;
  try {
    out = DecodeDibResource(
        std::string_view(static_cast<const char*>(data), SizeofResource(module_, found)));
  } catch (const BmpError&) {
    return false;
  }
  return true;
}

BitmapResources& OwnBitmapResources() {
  static WinBitmapResources own(GetModuleHandleW(nullptr));
  return own;
}

}  // namespace qev::win32
