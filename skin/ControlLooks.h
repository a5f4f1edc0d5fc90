#pragma once
// What each skinned control of the main window takes from the theme or from its
// built-in style, resolved into plain values for the Windows side to draw with.
// Bitmaps are copies: they stay valid when the theme later loads another file.

#include <cstdint>

#include "skin/BuiltInStyles.h"
#include "skin/ThemeStyle.h"

namespace qev {

class TsuiFileTheme;

// ---- check boxes (Opt1, Opt2, Opt3)

struct FrameChoice {
  int Count = 0;
  int Index = 0;
};

// A skin's check box strip has six frames (1 checked, 3 unchecked, 4 checked and
// disabled, 6 unchecked and disabled); the built-in one four (1-4 in that order).
FrameChoice CheckBoxFrame(bool fromFile, bool checked, bool enabled);

// The box glyph for the state, from SKIN2_CHECKBOX or built-in position 3.
PlainBitmap CheckBoxGlyph(const TsuiFileTheme* theme, TsuiUIStyle style, BitmapResources& resources,
                          bool checked, bool enabled);

inline constexpr int kCheckBoxGlyphLeft = 1;   // the glyph is drawn opaque at x = 1
inline constexpr int kCheckBoxCaptionGap = 4;  // caption this far right of the glyph

struct ControlSize {
  int Width = 0;
  int Height = 0;
  bool operator==(const ControlSize&) const = default;
};

// The size an auto-sized check box takes: glyph + caption + 8 wide, and the larger of
// the glyph height and the height of "W" + 2, plus 4, high.
ControlSize CheckBoxAutoSize(int glyphWidth, int glyphHeight, int captionWidth, int letterWHeight);

// ---- pop-up menus (suiPopupMenu1, suiPopupMenu2)

struct MenuLook {
  uint32_t BarColor = 0, BarToColor = 0, Color = 0, FontColor = 0;
  uint32_t SelectedBorderColor = 0, SelectedColor = 0, SelectedFontColor = 0;
  uint32_t BorderColor = 0;  // the menu window's border, used when FlatMenu is on
  int BarWidth = 26;
  int MenuItemHeight = 21;
  int SeparatorHeight = 5;
  uint32_t SeparatorColor = 8684164;
};

MenuLook ResolveMenuLook(const TsuiFileTheme* theme, TsuiUIStyle style);

// ---- message dialogs (MessForm, suiMessageDialog1)

struct DialogFormLook {  // the dialog's frame
  bool FromFile = false;
  uint32_t FormColor = 0, MenuBarStartColor = 0, MenuBarEndColor = 0;
  // From a skin: border images and the sizes they give.
  PlainBitmap LeftBorder, RightBorder, BottomBorder[3];
  bool BottomThreeSections = false;
  int LeftWidth = 0, RightWidth = 0, BottomHeight = 0;
  uint32_t TransparentColor = 0xFF00FF;
  bool TitleNeedsRegion = false, BottomNeedsRegion = false;
  int TitleRegionMinY = 0, TitleRegionMaxY = 0, BottomRegionMinY = 0, BottomRegionMaxY = 0;
  // Built-in: a plain border.
  uint32_t BorderColor = 0;
  int BorderWidth = 0;
  int RoundCorner = 0;
};

struct TitleBarLook {
  // Five sections (1 left, 2 caption, 3 own size, 4 stretched, 5 right) or three
  // (left, stretched middle, right); Sections holds that many pictures.
  int SectionCount = 3;
  PlainBitmap Sections[5];
  PlainBitmap Buttons;  // 18 frames, three per button kind
  bool ButtonsTransparent = false;
  int LeftOffset = 0, RightOffset = 0, ButtonTop = 0, IconTop = 0, CaptionTop = 0;
  uint32_t CaptionColor = 0;
  int MinFormWidth = 0, MinFormHeight = 0;  // built-in only
};

struct DialogButtonLook {  // the dialog's push buttons, 73 x 25
  PlainBitmap Strip;       // 3 frames: 1 normal and disabled, 2 under the mouse, 3 pressed
  bool Transparent = false;
  uint32_t FontColor = 0;
};

struct DialogLook {
  uint32_t CaptionFontColor = 0, TextFontColor = 0;
  DialogFormLook Form;
  TitleBarLook Title;
  DialogButtonLook Button;
};

inline constexpr int kDialogButtonWidth = 73;
inline constexpr int kDialogButtonHeight = 25;
inline constexpr int kTitleButtonFrames = 18;
inline constexpr int kDialogButtonFrames = 3;

// Read each time a dialog is shown.
DialogLook ResolveDialogLook(const TsuiFileTheme* theme, TsuiUIStyle style,
                             BitmapResources& resources);

// The message dialog's icon strip (resource MSGDLG): four 42 x 42 icons.
inline constexpr char kMessageIconResource[] = "MSGDLG";
inline constexpr int kMessageIconFrames = 4;
// The strip frame for a ShowMsg icon kind (0 help, 1 information, 2 stop, 3 warning);
// 0 for no icon.
int MessageIconFrame(int kind);

}  // namespace qev
