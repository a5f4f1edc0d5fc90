#include "win32/MessageDialogs.h"

#include "skin/ControlLooks.h"
#include "skin/ExtractFrame.h"
#include "win32/LookDialog.h"

namespace qev::win32 {

namespace {
constexpr char kOkCaption[] = "\xc8\xb7\xb6\xa8";  // 确定
constexpr char kYesCaption[] = "(&Y)\xca\xc7";     // (&Y)是
constexpr char kNoCaption[] = "(&N)\xb7\xf1";      // (&N)否
constexpr int kModalOk = 1;
constexpr int kModalCancel = 2;
constexpr int kHelpIcon = 0;

int KindOf(TMessForm::Icon icon) {
  switch (icon) {
    case TMessForm::Icon::Help:
      return 0;
    case TMessForm::Icon::Information:
      return 1;
    case TMessForm::Icon::Stop:
      return 2;
    case TMessForm::Icon::Warning:
      return 3;
    case TMessForm::Icon::None:
      return -1;
  }
  return -1;
}
}  // namespace

int ThemedDialog::Show(const std::string& caption, const std::string& text, int iconKind,
                       HFONT font, std::vector<DialogButton> buttons, int closedResult) {
  // Read now, not when the style was written: the theme may have loaded a skin since.
  const DialogLook look = ResolveDialogLook(FileTheme(), UIStyle(), resources_);
  DialogContent content;
  content.gbkCaption = caption;
  content.gbkText = text;
  if (const int frame = MessageIconFrame(iconKind); frame > 0) {
    PlainBitmap strip;
    if (resources_.LoadBitmapResource(kMessageIconResource, strip))
      ExtractFrame(strip, content.icon, kMessageIconFrames, frame);
  }
  content.font = font;
  content.buttons = std::move(buttons);
  content.closedResult = closedResult;
  return RunLookDialog(owner_.Handle(), look, fonts_, content);
}

void WinMessForm::SetFont(const std::string& name, int size) {
  font_.reset(MakeFont(name.c_str(), PointsToPixels(size), false));
}

int WinMessForm::ShowModal() {
  return Show(caption_, text_, KindOf(icon_), font_ ? font_.get() : Fonts().Dialog.get(),
              {{IDOK, kOkCaption, kModalOk}}, kModalCancel);
}

int WinMessageDialog::ShowModal() {
  return Show(caption_, text_, kHelpIcon, Fonts().Dialog.get(),
              {{IDYES, kYesCaption, kYes}, {IDNO, kNoCaption, kNo}}, 0);
}

}  // namespace qev::win32
