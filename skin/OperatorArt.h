#pragma once
// Pictures an operator's skin may add beyond the SKIN2_ records: the window face and
// the image buttons' and status icons' pictures, as bitmap records named QEV_...
// A skin without them leaves the launcher's built-in pictures in place.
//
//   QEV_FACE                       the window face (its fuchsia pixels cut the outline)
//   QEV_<BUTTON>_NORMAL            an image button's picture; with it the button takes
//   QEV_<BUTTON>_HOVER             its pictures from the skin, a missing state falling
//   QEV_<BUTTON>_DOWN              back to NORMAL; without it the other three are not
//   QEV_<BUTTON>_DISABLED          used
//   QEV_ICON_UP, QEV_ICON_DOWN     the zone status icons (running / down or idle)
//
// <BUTTON>: START (start the game), ACCOUNT (account hint), SERVICE (account menu),
// WEBSITE, MIN (minimise), CLOSE, PAY.

#include <string>
#include <string_view>

#include "skin/BmpDecoder.h"

namespace qev {

class TsuiFileTheme;

enum class ImageButtonArt { Start, Account, Service, Website, Min, Close, Pay };
enum class ButtonState { Normal, Hover, Down, Disabled };

inline constexpr char kFaceRecord[] = "QEV_FACE";
inline constexpr char kIconUpRecord[] = "QEV_ICON_UP";
inline constexpr char kIconDownRecord[] = "QEV_ICON_DOWN";

// "QEV_START_NORMAL" and so on.
std::string ImageButtonRecordName(ImageButtonArt button, ButtonState state);

// The four state pictures a skin gives a button; all none when the skin (or no loaded
// skin) gives no NORMAL picture. Valid until the theme loads another file.
struct ImageButtonPictures {
  const PlainBitmap* Normal = nullptr;
  const PlainBitmap* MouseOn = nullptr;
  const PlainBitmap* MouseDown = nullptr;
  const PlainBitmap* Disabled = nullptr;
};
ImageButtonPictures SkinImageButton(const TsuiFileTheme& theme, ImageButtonArt button);

// The skin's face or status icon, or none (an empty picture counts as none).
const PlainBitmap* SkinFace(const TsuiFileTheme& theme);
const PlainBitmap* SkinStatusIcon(const TsuiFileTheme& theme, bool serverUp);

}  // namespace qev
