#include "skin/OperatorArt.h"

#include "skin/FileTheme.h"

namespace qev {
namespace {

const char* const kButtonNames[] = {"START", "ACCOUNT", "SERVICE", "WEBSITE",
                                    "MIN",   "CLOSE",   "PAY"};
const char* const kStateNames[] = {"NORMAL", "HOVER", "DOWN", "DISABLED"};

const PlainBitmap* Usable(const PlainBitmap* b) {
  return b && b->Width > 0 && b->Height > 0 ? b : nullptr;
}

}  // namespace

std::string ImageButtonRecordName(ImageButtonArt button, ButtonState state) {
  return std::string("QEV_") + kButtonNames[static_cast<int>(button)] + "_" +
         kStateNames[static_cast<int>(state)];
}

ImageButtonPictures SkinImageButton(const TsuiFileTheme& theme, ImageButtonArt button) {
  auto get = [&](ButtonState s) {
    return Usable(theme.GetNamedBitmap(ImageButtonRecordName(button, s)));
  };
  ImageButtonPictures p;
  p.Normal = get(ButtonState::Normal);
  if (!p.Normal) return p;
  auto orNormal = [&](const PlainBitmap* b) { return b ? b : p.Normal; };
  p.MouseOn = orNormal(get(ButtonState::Hover));
  p.MouseDown = orNormal(get(ButtonState::Down));
  p.Disabled = orNormal(get(ButtonState::Disabled));
  return p;
}

const PlainBitmap* SkinFace(const TsuiFileTheme& theme) {
  return Usable(theme.GetNamedBitmap(kFaceRecord));
}

const PlainBitmap* SkinStatusIcon(const TsuiFileTheme& theme, bool serverUp) {
  return Usable(theme.GetNamedBitmap(serverUp ? kIconUpRecord : kIconDownRecord));
}

}  // namespace qev
