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

HBITMAP BlankBitmap(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  BITMAPINFO info = TopDownInfo(width, height);
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
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
    GdiTransparentBlt(dc, dest.left, dest.top, w, h, from.get(), 0, 0, picture.Width,
                      picture.Height, transparentColour & 0xFFFFFF);
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
  return DecodeBitmapResource(module_, wide.c_str(), out);
}

namespace {

bool StoredRowsOf(std::string_view dib, StoredRows& out) {
  if (dib.size() < sizeof(BITMAPINFOHEADER)) return false;
  BITMAPINFOHEADER h;
  std::memcpy(&h, dib.data(), sizeof(h));
  if (h.biSize < sizeof(h) || h.biSize > dib.size() || h.biCompression != BI_RGB ||
      h.biPlanes != 1 || (h.biBitCount != 24 && h.biBitCount != 32) || h.biClrUsed != 0 ||
      h.biWidth <= 0 || h.biWidth > 0x4000 || h.biHeight == 0 || h.biHeight < -0x4000 ||
      h.biHeight > 0x4000)
    return false;
  const size_t width = size_t(h.biWidth),
               height = size_t(h.biHeight < 0 ? -h.biHeight : h.biHeight);
  const size_t stride = (width * h.biBitCount + 31) / 32 * 4;
  if ((dib.size() - h.biSize) / stride < height) return false;
  out.bits = reinterpret_cast<const uint8_t*>(dib.data()) + h.biSize;
  out.width = int(width);
  out.height = int(height);
  out.bitCount = h.biBitCount;
  out.stride = stride;
  out.bottomUp = h.biHeight > 0;
  return true;
}

// The resource's pixels when they are plain 24- or 32-bit rows, the usual form of the
// built-in pictures: copied straight into the DIB section without a decoded copy.
HBITMAP FromPlainRows(std::string_view dib) {
  StoredRows rows;
  if (!StoredRowsOf(dib, rows)) return nullptr;
  const size_t width = size_t(rows.width);
  BITMAPINFO info = TopDownInfo(rows.width, rows.height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  for (int y = 0; y < rows.height; ++y)
    rows.CopyRow(y, static_cast<uint32_t*>(bits) + size_t(y) * width);
  GdiFlush();
  return bitmap;
}

std::string_view ResourceBytes(HINSTANCE module, const wchar_t* name) {
  HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(2));  // RT_BITMAP
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return std::string_view(static_cast<const char*>(data), SizeofResource(module, found));
}

}  // namespace

bool StoredBitmapResource(HINSTANCE module, const wchar_t* name, StoredRows& out) {
  out = StoredRows{};
  return StoredRowsOf(ResourceBytes(module, name), out);
}

void DrawStoredRows(HDC dc, const RECT& to, const StoredRows& rows, POINT from) {
  if (rows.Empty() || !rows.bottomUp) return;
  BITMAPINFO info = TopDownInfo(rows.width, rows.height);
  info.bmiHeader.biBitCount = WORD(rows.bitCount);
  info.bmiHeader.biHeight = rows.height;
  const int w = to.right - to.left, h = to.bottom - to.top;
  // The source's y counts from the picture's bottom row.
  const int y = rows.height - from.y - h;
  SetDIBitsToDevice(dc, to.left, to.top, DWORD(w), DWORD(h), from.x, y, 0, UINT(rows.height),
                    rows.bits, &info, DIB_RGB_COLORS);
}

bool DecodeBitmapResource(HINSTANCE module, const wchar_t* name, PlainBitmap& out) {
  const std::string_view bytes = ResourceBytes(module, name);
  if (bytes.empty()) return false;
  try {
    out = DecodeDibResource(bytes);
  } catch (const BmpError&) {
    return false;
  }
  return true;
}

HBITMAP LoadBitmapResource(HINSTANCE module, const wchar_t* name) {
  if (HBITMAP plain = FromPlainRows(ResourceBytes(module, name))) return plain;
  PlainBitmap picture;
  return DecodeBitmapResource(module, name, picture) ? BitmapFromPlain(picture) : nullptr;
}

BitmapResources& OwnBitmapResources() {
  static WinBitmapResources own(GetModuleHandleW(nullptr));
  return own;
}

}  // namespace qev::win32
