#include "win32/BuiltInLook.h"
#include "win32/WinBitmaps.h"

namespace qev::win32 {

namespace {

// Resource names and the frame order of each button strip.
struct ButtonStrip {
  const wchar_t* resource;
  int frames;
  // The frame of each state (Normal, Hover, Down, Disabled), 1-based.
  std::array<int, 4> frameOf;
};

constexpr std::array<ButtonStrip, 9> kStrips = {{
    {L"BTN_START", 4, {1, 2, 3, 4}},
    {L"BTN_ACCOUNT", 4, {1, 2, 3, 4}},
    {L"BTN_ACCOUNTMENU", 4, {1, 2, 3, 4}},
    {L"BTN_WEBSITE", 4, {1, 2, 3, 4}},
    {L"BTN_MIN", 4, {1, 2, 3, 4}},
    {L"BTN_CLOSE", 4, {1, 2, 3, 4}},
    {L"BTN_RECHARGE", 4, {1, 2, 3, 4}},
    {L"BTN_STOP", 4, {1, 2, 3, 4}},
    // The dialog button strip keeps the three-frame layout of the built-in style:
    // normal and disabled, under the mouse, pressed.
    {L"DEEPBLUE_BUTTON", 3, {1, 2, 3, 1}},
}};

constexpr COLORREF kCream = RGB(0xF4, 0xE6, 0xC0);
constexpr COLORREF kGold = RGB(0xF2, 0xD0, 0x7A);

HICON LoadIconResource(HINSTANCE module, int size) {
  return static_cast<HICON>(
      LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

HBITMAP CutFrame(HBITMAP strip, int count, int index) {
  const SIZE size = BitmapSize(strip);
  if (!strip || count <= 0 || index < 1 || index > count) return nullptr;
  const int width = size.cx / count;
  if (width <= 0) return nullptr;
  const int left = index == count ? size.cx - width : (index - 1) * width;
  HDC screen = GetDC(nullptr);
  HBITMAP frame = CreateCompatibleBitmap(screen, width, size.cy);
  {
    MemoryDc from(screen), to(screen);
    Selection a(from.get(), strip), b(to.get(), frame);
    BitBlt(to.get(), 0, 0, width, size.cy, from.get(), left, 0, SRCCOPY);
  }
  ReleaseDC(nullptr, screen);
  return frame;
}

BuiltInLook::BuiltInLook(HINSTANCE module) : module_(module) {
  statusUp_.reset(LoadBitmapResource(module, L"STATUS_UP"));
  statusDown_.reset(LoadBitmapResource(module, L"STATUS_DOWN"));
  checkBoxes_.reset(LoadBitmapResource(module, L"DEEPBLUE_CHECKBOX"));
  iconLarge_ = LoadIconResource(module, 32);
}

BuiltInLook::~BuiltInLook() {
  if (iconSmall_) DestroyIcon(iconSmall_);
  if (iconLarge_) DestroyIcon(iconLarge_);
}

HICON BuiltInLook::ProgramIcon(int size) const {
  if (size > 16) return iconLarge_;
  // The small icon is loaded when first asked for (by the window class and the tray).
  if (!smallLoaded_) {
    smallLoaded_ = true;
    iconSmall_ = LoadIconResource(module_, 16);
  }
  return iconSmall_;
}

HBITMAP BuiltInLook::MakeFace() const { return LoadBitmapResource(module_, L"FACE"); }

bool BuiltInLook::StoredFace(StoredRows& out) const {
  return StoredBitmapResource(module_, L"FACE", out);
}

HBITMAP BuiltInLook::Button(ButtonFace face, ButtonState state) const {
  const size_t f = static_cast<size_t>(face), s = static_cast<size_t>(state);
  if (f >= kStrips.size()) return nullptr;
  if (!cut_[f][s]) {
    cut_[f][s] = true;
    if (!stripLoaded_[f]) {
      stripLoaded_[f] = true;
      strips_[f].reset(LoadBitmapResource(module_, kStrips[f].resource));
    }
    buttons_[f][s].reset(CutFrame(strips_[f].get(), kStrips[f].frames, kStrips[f].frameOf[s]));
  }
  if (buttons_[f][s] || s == 0) return buttons_[f][s].get();
  return Button(face, ButtonState::Normal);
}

COLORREF BuiltInLook::Colour(LookColour which) const {
  switch (which) {
    case LookColour::ListText:
    case LookColour::LabelText:
    case LookColour::DialogText:
    case LookColour::EditText:
      return kCream;
    case LookColour::ListBack:
      return RGB(0, 0, 0);
    case LookColour::ButtonText:
    case LookColour::DecorText:
    case LookColour::DialogTitleText:
      return kGold;
    case LookColour::ButtonTextShadow:
      return RGB(0x1A, 0x0C, 0x04);
    case LookColour::EditBack:
      return RGB(0x14, 0x12, 0x1C);
    case LookColour::DialogFace:
      return RGB(0x16, 0x15, 0x22);
    case LookColour::DialogTitleBar:
      return RGB(0x4A, 0x10, 0x18);
    case LookColour::DialogBorder:
      return RGB(0xC8, 0x9A, 0x3C);
  }
  return kCream;
}

bool BuiltInLook::Complete() const {
  const Bitmap face(MakeFace());
  if (!face || !statusUp_ || !statusDown_ || !checkBoxes_ || !ProgramIcon(16) || !ProgramIcon(32))
    return false;
  for (size_t f = 0; f < kStrips.size(); ++f)
    for (int s = 0; s < kStates; ++s)
      if (!Button(static_cast<ButtonFace>(f), static_cast<ButtonState>(s))) return false;
  return true;
}

}  // namespace qev::win32
