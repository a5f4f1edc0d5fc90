#include "win32/MessageDialogs.h"

#include "win32/LookDialog.h"

namespace qev::win32 {

namespace {
constexpr char kOkCaption[] = "\xc8\xb7\xb6\xa8";  // 确定
constexpr char kYesCaption[] = "(&Y)\xca\xc7";     // (&Y)是
constexpr char kNoCaption[] = "(&N)\xb7\xf1";      // (&N)否
constexpr int kModalOk = 1;
constexpr int kModalCancel = 2;

HICON IconOf(TMessForm::Icon icon) {
  switch (icon) {
    case TMessForm::Icon::Help:
      return LoadIconW(nullptr, IDI_QUESTION);
    case TMessForm::Icon::Information:
      return LoadIconW(nullptr, IDI_INFORMATION);
    case TMessForm::Icon::Stop:
      return LoadIconW(nullptr, IDI_ERROR);
    case TMessForm::Icon::Warning:
      return LoadIconW(nullptr, IDI_WARNING);
    case TMessForm::Icon::None:
      return nullptr;
  }
  return nullptr;
}

int PointsToPixels(int points) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return MulDiv(points, dpi, 72);
}
}  // namespace

void WinMessForm::SetFont(const std::string& name, int size) {
  font_.reset(MakeFont(name.c_str(), PointsToPixels(size), false));
}

int WinMessForm::ShowModal() {
  DialogContent content;
  content.gbkCaption = caption_;
  content.gbkText = text_;
  content.icon = IconOf(icon_);
  content.font = font_ ? font_.get() : fonts_.Dialog.get();
  content.buttons = {{IDOK, kOkCaption, kModalOk}};
  content.closedResult = kModalCancel;
  return RunLookDialog(owner_.Handle(), look_, fonts_, content);
}

int WinMessageDialog::ShowModal() {
  DialogContent content;
  content.gbkCaption = caption_;
  content.gbkText = text_;
  content.icon = LoadIconW(nullptr, IDI_QUESTION);
  content.font = fonts_.Dialog.get();
  content.buttons = {{IDYES, kYesCaption, kYes}, {IDNO, kNoCaption, kNo}};
  content.closedResult = 0;
  return RunLookDialog(owner_.Handle(), look_, fonts_, content);
}

}  // namespace qev::win32
