#include "DriverCapture.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <vector>

#include "DriverText.h"

namespace driver {

namespace {

class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDc() { DeleteDC(dc_); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class Bitmap {
 public:
  explicit Bitmap(HBITMAP b) : bitmap_(b) {}
  ~Bitmap() {
    if (bitmap_) DeleteObject(bitmap_);
  }
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  HBITMAP get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

class ComScope {
 public:
  ComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComScope() { CoUninitialize(); }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
};

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T** out() { return &p_; }
  T* operator->() const { return p_; }

 private:
  T* p_ = nullptr;
};

}  // namespace

bool SaveWindowPicture(HWND window, const std::wstring& path) {
  RECT r = {};
  if (!GetWindowRect(window, &r)) return false;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  ScreenDc screen;
  MemoryDc memory(screen.get());
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;  // bottom-up, as BMP files store rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap.get()) return false;
  HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
  SelectObject(memory.get(), old);
  GdiFlush();
  const DWORD stride = ((DWORD)w * 3 + 3) & ~3u;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + stride * h;
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  const bool ok = fwrite(&file, sizeof file, 1, f) == 1 &&
                  fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f) == 1 &&
                  fwrite(bits, stride * h, 1, f) == 1;
  return fclose(f) == 0 && ok;
}

std::string ReadShellLink(const std::wstring& path) {
  ComScope com;
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              (void**)link.out())))
    return {};
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, (void**)file.out())) ||
      FAILED(file->Load(path.c_str(), STGM_READ)))
    return {};
  wchar_t target[MAX_PATH] = {}, args[1024] = {}, folder[MAX_PATH] = {};
  link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
  link->GetArguments(args, 1024);
  link->GetWorkingDirectory(folder, MAX_PATH);
  return "{\"target\": " + Json(std::wstring(target)) +
         ", \"arguments\": " + Json(std::wstring(args)) +
         ", \"folder\": " + Json(std::wstring(folder)) + "}";
}

}  // namespace driver
