#include "win32/LookFonts.h"

#include "win32/Gbk.h"

namespace qev::win32 {

namespace {
constexpr char kSongTi[] = "\xcb\xce\xcc\xe5";  // 宋体
constexpr char kHeiTi[] = "\xba\xda\xcc\xe5";   // 黑体
constexpr int kDialogPoints = 9;
constexpr int kLargestCrispSize = 13;
}  // namespace

int PointsToPixels(int points) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return MulDiv(points, dpi, 72);
}

HFONT MakeFont(const char* gbkFace, int pixelHeight, bool bold) {
  const std::wstring face = GbkToWide(gbkFace);
  // Small Chinese text reads best from the font's own bitmap strikes; smoothing them
  // blurs the strokes together. Large headings are smoothed.
  const DWORD quality = pixelHeight <= kLargestCrispSize ? DEFAULT_QUALITY : ANTIALIASED_QUALITY;
  // A negative height asks for the character height, as a font size in pixels does.
  return CreateFontW(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, quality,
                     DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

LookFonts::LookFonts()
    : Body(MakeFont(kSongTi, 12, false)),
      Info(MakeFont(kSongTi, 13, false)),
      Dialog(MakeFont(kSongTi, PointsToPixels(kDialogPoints), false)),
      Button(MakeFont(kHeiTi, 15, true)),
      ButtonSmall(MakeFont(kHeiTi, 12, false)),
      StartButton(MakeFont(kHeiTi, 24, true)),
      Heading(MakeFont(kHeiTi, 14, true)),
      Title(MakeFont(kHeiTi, 30, true)) {}

}  // namespace qev::win32
