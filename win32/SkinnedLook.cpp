#include "win32/SkinnedLook.h"

#include <optional>

#include "skin/OperatorArt.h"
#include "win32/WinBitmaps.h"

namespace qev::win32 {

namespace {

// The skin record family of a window button; the dialogs' buttons and the stop button
// have none (the dialogs follow the theme's SKIN2_BUTTON instead).
std::optional<ImageButtonArt> ArtOf(ButtonFace face) {
  switch (face) {
    case ButtonFace::Start:
      return ImageButtonArt::Start;
    case ButtonFace::Account:
      return ImageButtonArt::Account;
    case ButtonFace::AccountMenu:
      return ImageButtonArt::Service;
    case ButtonFace::Website:
      return ImageButtonArt::Website;
    case ButtonFace::Minimize:
      return ImageButtonArt::Min;
    case ButtonFace::Close:
      return ImageButtonArt::Close;
    case ButtonFace::Recharge:
      return ImageButtonArt::Pay;
    case ButtonFace::StopUpdate:
    case ButtonFace::Dialog:
      return std::nullopt;
  }
  return std::nullopt;
}

HBITMAP Made(const PlainBitmap* picture) { return picture ? BitmapFromPlain(*picture) : nullptr; }

}  // namespace

void SkinnedLook::Reload(const TsuiFileTheme& theme) {
  theme_ = &theme;
  skinnedFace_ = false;
  statusUp_.reset();
  statusDown_.reset();
  for (auto& states : buttons_)
    for (auto& picture : states) picture.reset();
  if (!theme.Ready()) return;
  skinnedFace_ = SkinFace(theme) != nullptr;
  statusUp_.reset(Made(SkinStatusIcon(theme, true)));
  statusDown_.reset(Made(SkinStatusIcon(theme, false)));
  for (int f = 0; f < kFaces; ++f) {
    const std::optional<ImageButtonArt> art = ArtOf(static_cast<ButtonFace>(f));
    if (!art) continue;
    const ImageButtonPictures pictures = SkinImageButton(theme, *art);
    auto& states = buttons_[static_cast<size_t>(f)];
    states[static_cast<size_t>(ButtonState::Normal)].reset(Made(pictures.Normal));
    states[static_cast<size_t>(ButtonState::Hover)].reset(Made(pictures.MouseOn));
    states[static_cast<size_t>(ButtonState::Down)].reset(Made(pictures.MouseDown));
    states[static_cast<size_t>(ButtonState::Disabled)].reset(Made(pictures.Disabled));
  }
}

// Straight from the skin's picture: no kept copy to copy again.
HBITMAP SkinnedLook::MakeFace() const {
  return skinnedFace_ ? Made(SkinFace(*theme_)) : builtIn_.MakeFace();
}

HBITMAP SkinnedLook::Button(ButtonFace face, ButtonState state) const {
  const auto& states = buttons_[static_cast<size_t>(face)];
  if (!states[static_cast<size_t>(ButtonState::Normal)]) return builtIn_.Button(face, state);
  HBITMAP picture = states[static_cast<size_t>(state)].get();
  return picture ? picture : states[static_cast<size_t>(ButtonState::Normal)].get();
}

HBITMAP SkinnedLook::StatusIcon(bool running) const {
  HBITMAP own = running ? statusUp_.get() : statusDown_.get();
  return own ? own : builtIn_.StatusIcon(running);
}

}  // namespace qev::win32
