#include "skin/ControlLooks.h"

#include <algorithm>

#include "skin/FileTheme.h"

namespace qev {
namespace {

// Built-in table positions used below.
enum Position : int {
  kPosButton = 1,
  kPosButtonTransparent = 2,
  kPosCheckBox = 3,
  kPosTitleButtons = 5,
  kPosTitleButtonsTransparent = 6,
  kPosTitleLeftOffset = 7,
  kPosTitleRightOffset = 8,
  kPosTitleButtonTop = 9,
  kPosTitleLeft = 10,
  kPosTitleClient = 11,
  kPosTitleRight = 12,
  kPosMinFormWidth = 13,
  kPosRoundCorner = 14,
  kPosFormColor = 15,
  kPosBorderColor = 16,
  kPosBorderWidth = 17,
  kPosSelectedBorder = 18,
  kPosSelected = 19,
  kPosSelectedFont = 20,
  kPosMenuItem = 21,
  kPosMenuItemFont = 22,
  kPosMenuBar = 23,
};

constexpr int kBuiltInMinFormHeight = 50;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

PlainBitmap Copy(const PlainBitmap* b) { return b ? *b : PlainBitmap(); }

PlainBitmap BuiltIn(BitmapResources& resources, TsuiUIStyle style, int position) {
  PlainBitmap b;
  GetBuiltInBitmap(resources, style, position, &b, 0, 0);
  return b;
}

void FileForm(const TsuiFileTheme& t, DialogFormLook& f) {
  f.FromFile = true;
  f.FormColor = t.GetColor(SKIN2_FORMCOLOR);
  f.MenuBarStartColor = t.GetColor(SKIN2_MENUBARSTARTCOLOR);
  f.MenuBarEndColor = t.GetColor(SKIN2_MENUBARENDCOLOR);
  f.LeftBorder = Copy(t.GetBitmap(SKIN2_FORMLEFTBORDER));
  f.RightBorder = Copy(t.GetBitmap(SKIN2_FORMRIGHTBORDER));
  f.BottomThreeSections = t.GetBoolean(SKIN2_BOTTOMBORDERTHREESECT);
  f.BottomBorder[0] = Copy(t.GetBitmap(SKIN2_FORMBOTTOMBORDER1));
  if (f.BottomThreeSections) {
    f.BottomBorder[1] = Copy(t.GetBitmap(SKIN2_FORMBOTTOMBORDER2));
    f.BottomBorder[2] = Copy(t.GetBitmap(SKIN2_FORMBOTTOMBORDER3));
  }
  f.LeftWidth = f.LeftBorder.Width;
  f.RightWidth = f.RightBorder.Width;
  f.BottomHeight = f.BottomBorder[0].Height;
  f.TransparentColor = t.GetColor(SKIN2_TRANSCOLOR);
  f.TitleNeedsRegion = t.GetBoolean(SKIN2_TITLEBARNEEDREGION);
  f.BottomNeedsRegion = t.GetBoolean(SKIN2_BOTTOMBORDERNEEDREGION);
  f.TitleRegionMinY = t.GetInteger(SKIN2_TITLEBARREGIONMINY);
  f.TitleRegionMaxY = t.GetInteger(SKIN2_TITLEBARREGIONMAXY);
  f.BottomRegionMinY = t.GetInteger(SKIN2_BOTTOMREGIONMINY);
  f.BottomRegionMaxY = t.GetInteger(SKIN2_BOTTOMREGIONMAXY);
}

void BuiltInForm(TsuiUIStyle s, DialogFormLook& f) {
  f.FormColor = GetBuiltInColor(s, kPosFormColor);
  f.MenuBarStartColor = f.MenuBarEndColor = f.FormColor;
  f.BorderColor = GetBuiltInColor(s, kPosBorderColor);
  f.BorderWidth = GetBuiltInInteger(s, kPosBorderWidth);
  f.RoundCorner = GetBuiltInInteger(s, kPosRoundCorner);
  f.TransparentColor = 0xFF00FF;
}

void FileTitle(const TsuiFileTheme& t, TitleBarLook& b) {
  b.SectionCount = t.GetBoolean(SKIN2_TITLEFIVESECT) ? 5 : 3;
  for (int i = 0; i < b.SectionCount; ++i) b.Sections[i] = Copy(t.GetBitmap(SKIN2_TITLEBAR1 + i));
  b.Buttons = Copy(t.GetBitmap(SKIN2_TITLEBUTTONS));
  b.ButtonsTransparent = t.GetBoolean(SKIN2_TITLEBTNTRANS);
  b.LeftOffset = t.GetInteger(SKIN2_TITLEBARICONPOSX);
  b.RightOffset = t.GetInteger(SKIN2_TITLEBARBUTTONPOSX);
  b.ButtonTop = t.GetInteger(SKIN2_TITLEBARBUTTONPOSY);
  b.IconTop = t.GetInteger(SKIN2_TITLEBARICONPOSY);
  b.CaptionTop = t.GetInteger(SKIN2_TITLEBARCAPTIONTOP);
  b.CaptionColor = t.GetColor(SKIN2_TITLEFONTCOLOR);
}

void BuiltInTitle(TsuiUIStyle s, BitmapResources& r, uint32_t captionColor, TitleBarLook& b) {
  b.SectionCount = 3;
  b.Sections[0] = BuiltIn(r, s, kPosTitleLeft);
  b.Sections[1] = BuiltIn(r, s, kPosTitleClient);
  b.Sections[2] = BuiltIn(r, s, kPosTitleRight);
  b.Buttons = BuiltIn(r, s, kPosTitleButtons);
  b.ButtonsTransparent = GetBuiltInBoolean(s, kPosTitleButtonsTransparent);
  b.LeftOffset = GetBuiltInInteger(s, kPosTitleLeftOffset);
  b.RightOffset = GetBuiltInInteger(s, kPosTitleRightOffset);
  b.ButtonTop = GetBuiltInInteger(s, kPosTitleButtonTop);
  b.CaptionColor = captionColor;
  b.MinFormWidth = GetBuiltInInteger(s, kPosMinFormWidth);
  b.MinFormHeight = kBuiltInMinFormHeight;
}

}  // namespace

FrameChoice CheckBoxFrame(bool fromFile, bool checked, bool enabled) {
  if (fromFile) return {6, checked ? (enabled ? 1 : 4) : (enabled ? 3 : 6)};
  return {4, checked ? (enabled ? 1 : 3) : (enabled ? 2 : 4)};
}

PlainBitmap CheckBoxGlyph(const TsuiFileTheme* theme, TsuiUIStyle style, BitmapResources& resources,
                          bool checked, bool enabled) {
  ThemeStyleChoice choice = ResolveThemeStyle(theme, style);
  FrameChoice frame = CheckBoxFrame(choice.UsesFile, checked, enabled);
  PlainBitmap glyph;
  if (choice.UsesFile)
    theme->GetBitmapFrame(SKIN2_CHECKBOX, glyph, frame.Count, frame.Index);
  else
    GetBuiltInBitmap(resources, choice.Style, kPosCheckBox, &glyph, frame.Count, frame.Index);
  return glyph;
}

ControlSize CheckBoxAutoSize(int glyphWidth, int glyphHeight, int captionWidth, int letterWHeight) {
  return {glyphWidth + captionWidth + 8, std::max(glyphHeight, letterWHeight + 2) + 4};
}

MenuLook ResolveMenuLook(const TsuiFileTheme* theme, TsuiUIStyle style) {
  MenuLook m;
  ThemeStyleChoice choice = ResolveThemeStyle(theme, style);
  if (choice.UsesFile) {
    m.BarColor = theme->GetColor(SKIN2_LEFTBARSTARTCOLOR);
    m.BarToColor = theme->GetColor(SKIN2_LEFTBARENDCOLOR);
    m.Color = theme->GetColor(SKIN2_MENUITEMCOLOR);
    m.FontColor = theme->GetColor(SKIN2_MENUITEMFONTCOLOR);
    m.SelectedBorderColor = theme->GetColor(SKIN2_SELECTEDMENUBORDERCOLOR);
    m.SelectedColor = theme->GetColor(SKIN2_SELECTEDMENUCOLOR);
    m.SelectedFontColor = theme->GetColor(SKIN2_SELECTEDMENUFONTCOLOR);
    m.BorderColor = theme->GetColor(SKIN2_FORMCOLOR);
  } else {
    TsuiUIStyle s = choice.Style;
    m.BarColor = m.BarToColor = GetBuiltInColor(s, kPosMenuBar);
    m.Color = GetBuiltInColor(s, kPosMenuItem);
    m.FontColor = GetBuiltInColor(s, kPosMenuItemFont);
    m.SelectedBorderColor = GetBuiltInColor(s, kPosSelectedBorder);
    m.SelectedColor = GetBuiltInColor(s, kPosSelected);
    m.SelectedFontColor = GetBuiltInColor(s, kPosSelectedFont);
    m.BorderColor = GetBuiltInColor(s, kPosFormColor);
  }
  // The measures follow the requested style, not the resolved one.
  if (style == MacOS) {
    m.MenuItemHeight = 20;
    m.SeparatorHeight = 12;
    m.SeparatorColor = 0;
  }
  return m;
}

DialogLook ResolveDialogLook(const TsuiFileTheme* theme, TsuiUIStyle style,
                             BitmapResources& resources) {
  DialogLook d;
  ThemeStyleChoice choice = ResolveThemeStyle(theme, style);
  if (choice.UsesFile) {
    const TsuiFileTheme& t = *theme;
    d.CaptionFontColor = t.GetColor(SKIN2_TITLEFONTCOLOR);
    d.TextFontColor = t.GetColor(SKIN2_CONTROLFONTCOLOR);
    FileForm(t, d.Form);
    FileTitle(t, d.Title);
    d.Button.Strip = Copy(t.GetBitmap(SKIN2_BUTTON));
    d.Button.Transparent = t.GetBoolean(SKIN2_BUTTONTRANS);
    d.Button.FontColor = t.GetColor(SKIN2_BUTTONFONTCOLOR);
  } else {
    TsuiUIStyle s = choice.Style;
    d.CaptionFontColor = s == MacOS ? kBlack : kWhite;
    d.TextFontColor = kBlack;
    BuiltInForm(s, d.Form);
    BuiltInTitle(s, resources, d.CaptionFontColor, d.Title);
    d.Button.Strip = BuiltIn(resources, s, kPosButton);
    d.Button.Transparent = GetBuiltInBoolean(s, kPosButtonTransparent);
    d.Button.FontColor = kBlack;
  }
  return d;
}

int MessageIconFrame(int kind) { return kind >= 0 && kind <= 3 ? kind + 1 : 0; }

}  // namespace qev
