#include "win32/LookDialog.h"

#include <algorithm>

#include "skin/RegionRuns.h"
#include "win32/FaceRegion.h"
#include "win32/Gbk.h"
#include "win32/GdiHolders.h"
#include "win32/WinBitmaps.h"

namespace qev::win32 {

namespace {

constexpr int kTextId = 100;
constexpr int kPlainTitleHeight = 28;  // when the look has no title pictures
constexpr int kPadding = 20;
constexpr int kIconGap = 14;
constexpr int kTextMaxWidth = 380;
constexpr int kMinWidth = 260;
constexpr int kButtonGap = 14;
constexpr int kBottomPadding = 16;
constexpr int kCaptionLeft = 8;  // after the left button offset
constexpr int kCloseFrame = 1;   // close: frames 1-3 (normal, under the mouse, pressed)
constexpr COLORREF kDisabledText = RGB(0x80, 0x80, 0x80);

struct DialogState {
  const DialogLook* look;
  const LookFonts* fonts;
  const DialogContent* content;
  Brush face;
  RECT textRect{};
  POINT iconAt{};
  RECT closeRect{};
  bool closeHot = false;
  bool closeDown = false;
};

COLORREF Colour(uint32_t value) { return COLORREF(value & 0xFFFFFF); }

int TitleHeight(const TitleBarLook& t) {
  int h = 0;
  for (int i = 0; i < t.SectionCount; ++i) h = std::max(h, t.Sections[i].Height);
  return h > 0 ? h : kPlainTitleHeight;
}

// The frame's widths: a skin's border pictures, or a built-in plain border.
struct Borders {
  int left, right, bottom;
};
Borders BordersOf(const DialogFormLook& f) {
  if (f.FromFile) return {f.LeftWidth, f.RightWidth, f.BottomHeight};
  const int w = std::max(0, f.BorderWidth);
  return {w, w, w};
}

std::vector<WORD> EmptyTemplate(const std::wstring& caption) {
  // No controls: the dialog makes its children itself, so that their texts go through
  // the same GBK conversion as everything else. No system frame or caption either.
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* t = reinterpret_cast<DLGTEMPLATE*>(words.data());
  t->style = WS_POPUP | WS_SYSMENU | DS_SETFOREGROUND;
  words.push_back(0);  // no menu
  words.push_back(0);  // the standard dialog class
  for (wchar_t c : caption) words.push_back(WORD(c));
  words.push_back(0);
  return words;
}

SIZE MeasureText(HWND hwnd, HFONT font, const std::wstring& text) {
  HDC dc = GetDC(hwnd);
  Selection select(dc, font);
  RECT r{0, 0, kTextMaxWidth, 0};
  DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  ReleaseDC(hwnd, dc);
  return SIZE{r.right, r.bottom};
}

// Centres the dialog over its owner when the owner is on screen, else on the screen.
void Centre(HWND dialog, int width, int height) {
  RECT area;
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner && IsWindowVisible(owner) && !IsIconic(owner))
    GetWindowRect(owner, &area);
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const int x = area.left + (area.right - area.left - width) / 2;
  const int y = area.top + (area.bottom - area.top - height) / 2;
  SetWindowPos(dialog, HWND_TOP, x, y, width, height, SWP_NOACTIVATE);
}

// Draws the title bar's pictures across [0, width): three sections (left, stretched
// middle, right) or five (left, caption, own size, stretched, right).
void DrawTitle(HDC dc, const TitleBarLook& t, int width, int height, COLORREF fill) {
  RECT bar{0, 0, width, height};
  Brush back(CreateSolidBrush(fill));
  FillRect(dc, &bar, back.get());
  const PlainBitmap* s = t.Sections;
  auto at = [&](const PlainBitmap& p, int x, int w) {
    DrawPlainStretched(dc, RECT{x, 0, x + w, height}, p, false, 0);
  };
  const int right = width - s[t.SectionCount - 1].Width;
  if (t.SectionCount == 5) {
    int x = 0;
    for (int i = 0; i < 3; ++i) {
      at(s[i], x, s[i].Width);
      x += s[i].Width;
    }
    at(s[3], x, right - x);
    at(s[4], right, s[4].Width);
  } else {
    at(s[1], s[0].Width, right - s[0].Width);
    at(s[0], 0, s[0].Width);
    at(s[2], right, s[2].Width);
  }
}

// The skin may cut the title's corners (SKIN2_TITLEBARNEEDREGION): in its region rows,
// pixels of the transparent colour lie outside the window.
void ShapeDialog(HWND dialog, const DialogLook& look, int width, int height) {
  const DialogFormLook& f = look.Form;
  if (!f.FromFile) {
    if (f.RoundCorner > 0)
      SetWindowRgn(dialog,
                   CreateRoundRectRgn(0, 0, width + 1, height + 1, f.RoundCorner, f.RoundCorner),
                   FALSE);
    return;
  }
  if (!f.TitleNeedsRegion) return;
  const int titleHeight = TitleHeight(look.Title);
  const int maxY = std::clamp(f.TitleRegionMaxY, 0, titleHeight - 1);
  const int minY = std::clamp(f.TitleRegionMinY, 0, maxY);
  HDC screen = GetDC(nullptr);
  Bitmap title(CreateCompatibleBitmap(screen, width, titleHeight));
  {
    MemoryDc dc(screen);
    Selection select(dc.get(), title.get());
    DrawTitle(dc.get(), look.Title, width, titleHeight, Colour(f.FormColor));
  }
  ReleaseDC(nullptr, screen);
  PlainBitmap pixels;
  if (!ReadPlain(title.get(), pixels)) return;
  std::vector<RegionRun> runs;
  for (const RegionRun& r : qev::RegionFromBitmap(pixels, f.TransparentColor))
    if (r.Top >= minY && r.Top <= maxY) runs.push_back(r);
  Region shape(RegionFromRuns(runs, width, maxY + 1));
  Region above(CreateRectRgn(0, 0, width, minY));
  Region below(CreateRectRgn(0, maxY + 1, width, height));
  CombineRgn(shape.get(), shape.get(), above.get(), RGN_OR);
  CombineRgn(shape.get(), shape.get(), below.get(), RGN_OR);
  SetWindowRgn(dialog, shape.release(), FALSE);
}

void Layout(HWND dialog, DialogState& s) {
  const DialogContent& c = *s.content;
  const DialogLook& look = *s.look;
  const Borders b = BordersOf(look.Form);
  const int titleHeight = TitleHeight(look.Title);
  const std::wstring text = GbkToWide(c.gbkText);
  const SIZE textSize = MeasureText(dialog, c.font, text);
  const int iconSize = c.icon.Height;
  const int iconSpace = c.icon.Width > 0 ? c.icon.Width + kIconGap : 0;
  const int buttons = int(c.buttons.size());
  const int buttonsWidth = buttons * kDialogButtonWidth + std::max(0, buttons - 1) * kButtonGap;
  const int width = std::max({kMinWidth, look.Title.MinFormWidth,
                              b.left + b.right + kPadding * 2 + iconSpace + int(textSize.cx),
                              b.left + b.right + buttonsWidth + kPadding * 2});
  const int contentHeight = std::max(iconSize, int(textSize.cy));
  const int top = titleHeight + kPadding;
  const int buttonsTop = top + contentHeight + kPadding;
  const int height = std::max(look.Title.MinFormHeight,
                              buttonsTop + kDialogButtonHeight + kBottomPadding + b.bottom);

  s.iconAt = POINT{b.left + kPadding, top + (contentHeight - iconSize) / 2};
  const int textLeft = b.left + kPadding + iconSpace;
  const int textTop = top + (contentHeight - int(textSize.cy)) / 2;
  s.textRect = RECT{textLeft, textTop, textLeft + textSize.cx + 2, textTop + textSize.cy};
  HWND label = CreateWindowExW(
      0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, s.textRect.left,
      s.textRect.top, s.textRect.right - s.textRect.left, s.textRect.bottom - s.textRect.top,
      dialog, reinterpret_cast<HMENU>(INT_PTR(kTextId)), nullptr, nullptr);
  SendMessageW(label, WM_SETFONT, WPARAM(c.font), FALSE);

  int x = (width - buttonsWidth) / 2;
  for (const DialogButton& button : c.buttons) {
    HWND h = CreateWindowExW(0, L"BUTTON", GbkToWide(button.gbkCaption).c_str(),
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, x, buttonsTop,
                             kDialogButtonWidth, kDialogButtonHeight, dialog,
                             reinterpret_cast<HMENU>(INT_PTR(button.id)), nullptr, nullptr);
    SendMessageW(h, WM_SETFONT, WPARAM(c.font), FALSE);
    x += kDialogButtonWidth + kButtonGap;
  }
  if (!c.buttons.empty()) {
    SendMessageW(dialog, DM_SETDEFID, WPARAM(c.buttons.front().id), 0);
    SetFocus(GetDlgItem(dialog, c.buttons.front().id));
  }
  const PlainBitmap& strip = look.Title.Buttons;
  const int closeWidth = strip.Width / kTitleButtonFrames;
  const int closeLeft = width - std::max(0, look.Title.RightOffset) - closeWidth;
  s.closeRect = closeWidth > 0 ? RECT{closeLeft, look.Title.ButtonTop, closeLeft + closeWidth,
                                      look.Title.ButtonTop + strip.Height}
                               : RECT{};
  Centre(dialog, width, height);
  ShapeDialog(dialog, look, width, height);
}

void DrawFrame(HDC dc, const DialogLook& look, const RECT& client, int titleHeight) {
  const DialogFormLook& f = look.Form;
  const Borders b = BordersOf(f);
  if (f.FromFile) {
    DrawPlainStretched(dc, RECT{0, titleHeight, b.left, client.bottom - b.bottom}, f.LeftBorder,
                       false, 0);
    DrawPlainStretched(
        dc, RECT{client.right - b.right, titleHeight, client.right, client.bottom - b.bottom},
        f.RightBorder, false, 0);
    const int y = client.bottom - b.bottom;
    if (f.BottomThreeSections) {
      const int l = f.BottomBorder[0].Width, r = f.BottomBorder[2].Width;
      DrawPlainStretched(dc, RECT{l, y, client.right - r, client.bottom}, f.BottomBorder[1], false,
                         0);
      DrawPlainStretched(dc, RECT{0, y, l, client.bottom}, f.BottomBorder[0], false, 0);
      DrawPlainStretched(dc, RECT{client.right - r, y, client.right, client.bottom},
                         f.BottomBorder[2], false, 0);
    } else {
      DrawPlainStretched(dc, RECT{0, y, client.right, client.bottom}, f.BottomBorder[0], false, 0);
    }
    return;
  }
  Brush border(CreateSolidBrush(Colour(f.BorderColor)));
  RECT edge = client;
  for (int i = 0; i < f.BorderWidth; ++i) {
    FrameRect(dc, &edge, border.get());
    InflateRect(&edge, -1, -1);
  }
}

void Paint(HWND dialog, const DialogState& s) {
  PAINTSTRUCT ps;
  HDC target = BeginPaint(dialog, &ps);
  RECT client;
  GetClientRect(dialog, &client);
  BackBuffer buffer(target, client);
  HDC dc = buffer.dc();
  const DialogLook& look = *s.look;
  const int titleHeight = TitleHeight(look.Title);
  FillRect(dc, &client, s.face.get());
  DrawTitle(dc, look.Title, client.right, titleHeight, Colour(look.Form.MenuBarStartColor));
  DrawFrame(dc, look, client, titleHeight);

  const PlainBitmap& strip = look.Title.Buttons;
  if (s.closeRect.right > s.closeRect.left)
    DrawPlainFrame(dc, s.closeRect, strip, kTitleButtonFrames,
                   kCloseFrame + (s.closeDown  ? 2
                                  : s.closeHot ? 1
                                               : 0),
                   look.Title.ButtonsTransparent, Colour(look.Form.TransparentColor));

  const std::wstring caption = GbkToWide(s.content->gbkCaption);
  Selection font(dc, s.fonts->Heading.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Colour(look.CaptionFontColor));
  RECT captionRect{std::max(0, look.Title.LeftOffset) + kCaptionLeft, 0,
                   (s.closeRect.left > 0 ? s.closeRect.left : client.right) - 4, titleHeight};
  UINT flags = DT_SINGLELINE | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS;
  if (look.Title.CaptionTop > 0)
    captionRect.top = look.Title.CaptionTop;
  else
    flags |= DT_VCENTER;
  DrawTextW(dc, caption.c_str(), int(caption.size()), &captionRect, flags);
  if (s.content->icon.Width > 0)
    DrawPlainStretched(dc,
                       RECT{s.iconAt.x, s.iconAt.y, s.iconAt.x + s.content->icon.Width,
                            s.iconAt.y + s.content->icon.Height},
                       s.content->icon, true, RGB(255, 0, 255));
  buffer.Show();
  EndPaint(dialog, &ps);
}

void DrawButton(const DRAWITEMSTRUCT& item, const DialogState& s) {
  // Frames: 1 normal and disabled, 2 under the mouse (the focused button stands out
  // like one), 3 pressed.
  const bool disabled = item.itemState & ODS_DISABLED;
  const bool pressed = !disabled && (item.itemState & ODS_SELECTED);
  const int frame = disabled ? 1 : pressed ? 3 : (item.itemState & ODS_FOCUS) ? 2 : 1;
  const DialogButtonLook& b = s.look->Button;
  BackBuffer buffer(item.hDC, item.rcItem);
  HDC dc = buffer.dc();
  FillRect(dc, &item.rcItem, s.face.get());
  DrawPlainFrame(dc, item.rcItem, b.Strip, kDialogButtonFrames, frame, b.Transparent,
                 Colour(s.look->Form.TransparentColor));
  wchar_t caption[64] = {};
  GetWindowTextW(item.hwndItem, caption, 64);
  Selection font(dc, s.content->font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? kDisabledText : Colour(b.FontColor));
  RECT t = item.rcItem;
  if (pressed) OffsetRect(&t, 0, 1);
  DrawTextW(dc, caption, -1, &t, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  buffer.Show();
}

int ResultOf(const DialogState& s, int id) {
  for (const DialogButton& b : s.content->buttons)
    if (b.id == id) return b.result;
  return s.content->closedResult;
}

POINT ClientPoint(HWND dialog, LPARAM lp, bool screen) {
  POINT pt{short(LOWORD(lp)), short(HIWORD(lp))};
  if (screen) ScreenToClient(dialog, &pt);
  return pt;
}

void SetCloseState(HWND dialog, DialogState& s, bool hot, bool down) {
  if (s.closeHot == hot && s.closeDown == down) return;
  s.closeHot = hot;
  s.closeDown = down;
  InvalidateRect(dialog, &s.closeRect, FALSE);
}

INT_PTR OnMouse(HWND dialog, DialogState& s, UINT msg, LPARAM lp) {
  const bool over = PtInRect(&s.closeRect, ClientPoint(dialog, lp, false)) != FALSE;
  switch (msg) {
    case WM_LBUTTONDOWN:
      if (over) {
        SetCapture(dialog);
        SetCloseState(dialog, s, true, true);
      }
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == dialog) ReleaseCapture();
      if (s.closeDown && over) {
        EndDialog(dialog, s.content->closedResult);
        return TRUE;
      }
      SetCloseState(dialog, s, over, false);
      break;
    case WM_MOUSELEAVE:
      SetCloseState(dialog, s, false, false);
      break;
    default: {  // WM_MOUSEMOVE: ask for WM_MOUSELEAVE, so the close button cools down
      TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, dialog, 0};
      if (over && !s.closeHot) TrackMouseEvent(&track);
      SetCloseState(dialog, s, over, s.closeDown && GetCapture() == dialog && over);
      break;
    }
  }
  return TRUE;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  auto* s = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lp);
      Layout(dialog, *reinterpret_cast<DialogState*>(lp));
      return FALSE;  // focus was set on the default button
    case WM_ERASEBKGND:
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_PAINT:
      if (s) Paint(dialog, *s);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (!s) break;
      SetTextColor(reinterpret_cast<HDC>(wp), Colour(s->look->TextFontColor));
      SetBkColor(reinterpret_cast<HDC>(wp), Colour(s->look->Form.FormColor));
      return reinterpret_cast<INT_PTR>(s->face.get());
    case WM_DRAWITEM:
      if (s) DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp), *s);
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
      if (s) return OnMouse(dialog, *s, msg, lp);
      break;
    case WM_NCHITTEST: {
      if (!s) break;
      const POINT pt = ClientPoint(dialog, lp, true);
      if (pt.y >= 0 && pt.y < TitleHeight(s->look->Title) && !PtInRect(&s->closeRect, pt)) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, HTCAPTION);
        return TRUE;
      }
      break;
    }
    case WM_COMMAND:
      if (s && (HIWORD(wp) == BN_CLICKED || lp == 0)) {
        EndDialog(dialog, ResultOf(*s, LOWORD(wp)));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

int RunLookDialog(HWND owner, const DialogLook& look, const LookFonts& fonts,
                  const DialogContent& content) {
  DialogState state{&look, &fonts, &content, Brush(CreateSolidBrush(Colour(look.Form.FormColor)))};
  const std::vector<WORD> tmpl = EmptyTemplate(GbkToWide(content.gbkCaption));
  const INT_PTR result =
      DialogBoxIndirectParamW(reinterpret_cast<HINSTANCE>(GetModuleHandleW(nullptr)),
                              reinterpret_cast<const DLGTEMPLATE*>(tmpl.data()), owner, &DialogProc,
                              reinterpret_cast<LPARAM>(&state));
  return result < 0 ? content.closedResult : int(result);
}

}  // namespace qev::win32
