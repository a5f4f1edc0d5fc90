#include "win32/LookDialog.h"

#include <algorithm>

#include "win32/Gbk.h"
#include "win32/GdiHolders.h"
#include "win32/WinImageButton.h"

namespace qev::win32 {

namespace {

constexpr int kTextId = 100;
constexpr int kTitleHeight = 28;
constexpr int kPadding = 20;
constexpr int kIconSize = 32;
constexpr int kIconGap = 14;
constexpr int kTextMaxWidth = 380;
constexpr int kMinWidth = 260;
constexpr int kButtonWidth = 73;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 14;
constexpr int kBottomPadding = 16;

struct DialogState {
  const Look* look;
  const LookFonts* fonts;
  const DialogContent* content;
  Brush face;
  RECT textRect{};
  POINT iconAt{};
  bool hover = false;
};

// A dialog template with no controls: the dialog makes its children itself, so that
// their texts go through the same GBK conversion as everything else.
std::vector<WORD> EmptyTemplate(const std::wstring& caption) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* t = reinterpret_cast<DLGTEMPLATE*>(words.data());
  // No system frame or caption: the dialog draws its own.
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

void Layout(HWND dialog, DialogState& s) {
  const DialogContent& c = *s.content;
  const std::wstring text = GbkToWide(c.gbkText);
  const SIZE textSize = MeasureText(dialog, c.font, text);
  const int iconSpace = c.icon ? kIconSize + kIconGap : 0;
  const int buttonsWidth =
      int(c.buttons.size()) * kButtonWidth + std::max(0, int(c.buttons.size()) - 1) * kButtonGap;
  const int width = std::max(
      {kMinWidth, kPadding * 2 + iconSpace + int(textSize.cx), buttonsWidth + kPadding * 2});
  const int contentHeight = std::max(c.icon ? kIconSize : 0, int(textSize.cy));
  const int buttonsTop = kTitleHeight + kPadding + contentHeight + kPadding;
  const int height = buttonsTop + kButtonHeight + kBottomPadding;

  s.iconAt = POINT{kPadding, kTitleHeight + kPadding};
  const int textTop = kTitleHeight + kPadding + (contentHeight - int(textSize.cy)) / 2;
  s.textRect = RECT{kPadding + iconSpace, textTop, kPadding + iconSpace + textSize.cx + 2,
                    textTop + textSize.cy};
  HWND label = CreateWindowExW(
      0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, s.textRect.left,
      s.textRect.top, s.textRect.right - s.textRect.left, s.textRect.bottom - s.textRect.top,
      dialog, reinterpret_cast<HMENU>(INT_PTR(kTextId)), nullptr, nullptr);
  SendMessageW(label, WM_SETFONT, WPARAM(c.font), FALSE);

  int x = (width - buttonsWidth) / 2;
  for (const DialogButton& b : c.buttons) {
    HWND button = CreateWindowExW(0, L"BUTTON", GbkToWide(b.gbkCaption).c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, x, buttonsTop,
                                  kButtonWidth, kButtonHeight, dialog,
                                  reinterpret_cast<HMENU>(INT_PTR(b.id)), nullptr, nullptr);
    SendMessageW(button, WM_SETFONT, WPARAM(c.font), FALSE);
    x += kButtonWidth + kButtonGap;
  }
  if (!c.buttons.empty()) {
    SendMessageW(dialog, DM_SETDEFID, WPARAM(c.buttons.front().id), 0);
    SetFocus(GetDlgItem(dialog, c.buttons.front().id));
  }
  Centre(dialog, width, height);
}

void Paint(HWND dialog, const DialogState& s) {
  PAINTSTRUCT ps;
  HDC target = BeginPaint(dialog, &ps);
  RECT client;
  GetClientRect(dialog, &client);
  BackBuffer buffer(target, client);
  HDC dc = buffer.dc();
  const Look& look = *s.look;
  FillRect(dc, &client, s.face.get());

  // Title bar: a band that darkens downwards, with a gold rule under it.
  RECT bar{client.left, client.top, client.right, client.top + kTitleHeight};
  const COLORREF top = look.Colour(LookColour::DialogTitleBar);
  for (int y = bar.top; y < bar.bottom; ++y) {
    const int k = 100 - 50 * (y - bar.top) / kTitleHeight;
    Brush line(CreateSolidBrush(
        RGB(GetRValue(top) * k / 100, GetGValue(top) * k / 100, GetBValue(top) * k / 100)));
    RECT row{bar.left, y, bar.right, y + 1};
    FillRect(dc, &row, line.get());
  }
  Brush gold(CreateSolidBrush(look.Colour(LookColour::DialogBorder)));
  RECT rule{bar.left, bar.bottom - 1, bar.right, bar.bottom};
  FillRect(dc, &rule, gold.get());
  FrameRect(dc, &client, gold.get());
  RECT inner = client;
  InflateRect(&inner, -2, -2);
  Brush dark(CreateSolidBrush(RGB(0x5A, 0x44, 0x1C)));
  FrameRect(dc, &inner, dark.get());

  const std::wstring caption = GbkToWide(s.content->gbkCaption);
  Selection font(dc, s.fonts->Heading.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look.Colour(LookColour::DialogTitleText));
  RECT captionRect{bar.left + 10, bar.top, bar.right - 10, bar.bottom};
  DrawTextW(dc, caption.c_str(), int(caption.size()), &captionRect,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (s.content->icon)
    DrawIconEx(dc, s.iconAt.x, s.iconAt.y, s.content->icon, kIconSize, kIconSize, 0, nullptr,
               DI_NORMAL);
  buffer.Show();
  EndPaint(dialog, &ps);
}

void DrawButton(const DRAWITEMSTRUCT& item, const DialogState& s) {
  ButtonState state = ButtonState::Normal;
  if (item.itemState & ODS_DISABLED)
    state = ButtonState::Disabled;
  else if (item.itemState & ODS_SELECTED)
    state = ButtonState::Down;
  else if (item.itemState & ODS_FOCUS)
    state = ButtonState::Hover;  // the focused button stands out like one under the mouse
  BackBuffer buffer(item.hDC, item.rcItem);
  FillRect(buffer.dc(), &item.rcItem, s.face.get());
  wchar_t caption[64] = {};
  GetWindowTextW(item.hwndItem, caption, 64);
  PaintButtonFace(buffer.dc(), item.rcItem, s.look->Button(ButtonFace::Dialog, state), caption,
                  s.content->font, *s.look, state == ButtonState::Down,
                  state == ButtonState::Disabled);
  buffer.Show();
}

int ResultOf(const DialogState& s, int id) {
  for (const DialogButton& b : s.content->buttons)
    if (b.id == id) return b.result;
  return s.content->closedResult;
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
      SetTextColor(reinterpret_cast<HDC>(wp), s->look->Colour(LookColour::DialogText));
      SetBkColor(reinterpret_cast<HDC>(wp), s->look->Colour(LookColour::DialogFace));
      return reinterpret_cast<INT_PTR>(s->face.get());
    case WM_DRAWITEM:
      if (s) DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp), *s);
      return TRUE;
    case WM_NCHITTEST: {
      POINT pt{short(LOWORD(lp)), short(HIWORD(lp))};
      ScreenToClient(dialog, &pt);
      if (pt.y >= 0 && pt.y < kTitleHeight) {
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

int RunLookDialog(HWND owner, const Look& look, const LookFonts& fonts,
                  const DialogContent& content) {
  DialogState state{&look, &fonts, &content,
                    Brush(CreateSolidBrush(look.Colour(LookColour::DialogFace)))};
  const std::vector<WORD> tmpl = EmptyTemplate(GbkToWide(content.gbkCaption));
  const INT_PTR result =
      DialogBoxIndirectParamW(reinterpret_cast<HINSTANCE>(GetModuleHandleW(nullptr)),
                              reinterpret_cast<const DLGTEMPLATE*>(tmpl.data()), owner, &DialogProc,
                              reinterpret_cast<LPARAM>(&state));
  return result < 0 ? content.closedResult : int(result);
}

}  // namespace qev::win32
