#pragma once
// MessForm (the one-button message box behind ShowMsg) and suiMessageDialog1 (the
// yes/no question), both owned by the main window. Each reads its look from its
// style and theme every time it is shown: the skin's frame, title bar, buttons and
// colours when the theme has a skin loaded, else the built-in style's.

#include "platform/Dialogs.h"
#include "skin/ThemeComponents.h"
#include "win32/LookDialog.h"
#include "win32/LookFonts.h"
#include "win32/MainWindow.h"
#include "win32/WinBitmaps.h"

namespace qev::win32 {

// What both dialogs share: the owner window, fonts and the theme component.
class ThemedDialog : public ThemedControl {
 public:
  ThemedDialog(const MainWindow& owner, const LookFonts& fonts, ComponentOwner* form,
               std::string name, BitmapResources& resources)
      : ThemedControl(form, std::move(name), DeepBlue),
        owner_(owner),
        fonts_(fonts),
        resources_(resources) {}

 protected:
  const LookFonts& Fonts() const { return fonts_; }
  // Kind 0 help, 1 information, 2 stop, 3 warning; anything else shows none.
  int Show(const std::string& caption, const std::string& text, int iconKind, HFONT font,
           std::vector<DialogButton> buttons, int closedResult);

 private:
  const MainWindow& owner_;
  const LookFonts& fonts_;
  BitmapResources& resources_;
};

class WinMessForm : public TMessForm, public ThemedDialog {
 public:
  WinMessForm(const MainWindow& owner, const LookFonts& fonts, ComponentOwner* form = nullptr,
              BitmapResources& resources = OwnBitmapResources())
      : ThemedDialog(owner, fonts, form, "MessForm", resources) {}

  void SetIcon(Icon icon) override { icon_ = icon; }
  Icon GetIcon() const override { return icon_; }
  void SetFont(const std::string& name, int size) override;
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  void SetText(const std::string& text) override { text_ = text; }
  // 1 when "确定" is pressed, 2 when the box is closed otherwise.
  int ShowModal() override;

 private:
  Icon icon_ = Icon::Information;
  Font font_;
  std::string caption_;
  std::string text_;
};

class WinMessageDialog : public TMessageDialog, public ThemedDialog {
 public:
  WinMessageDialog(const MainWindow& owner, const LookFonts& fonts, ComponentOwner* form = nullptr,
                   BitmapResources& resources = OwnBitmapResources())
      : ThemedDialog(owner, fonts, form, "suiMessageDialog1", resources) {}

  void SetCaption(const std::string& caption) override { caption_ = caption; }
  void SetText(const std::string& text) override { text_ = text; }
  // kYes, kNo, or 0 when the dialog is closed without an answer.
  int ShowModal() override;

 private:
  std::string caption_;
  std::string text_;
};

}  // namespace qev::win32
