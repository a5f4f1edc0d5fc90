#pragma once
// MessForm (the one-button message box behind ShowMsg) and suiMessageDialog1 (the
// yes/no question), both drawn in the window's look and owned by the main window.

#include "platform/Dialogs.h"
#include "win32/Look.h"
#include "win32/LookFonts.h"
#include "win32/MainWindow.h"

namespace qev::win32 {

class WinMessForm : public TMessForm {
 public:
  WinMessForm(const MainWindow& owner, const Look& look, const LookFonts& fonts)
      : owner_(owner), look_(look), fonts_(fonts) {}

  void SetIcon(Icon icon) override { icon_ = icon; }
  Icon GetIcon() const override { return icon_; }
  void SetFont(const std::string& name, int size) override;
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  void SetText(const std::string& text) override { text_ = text; }
  // 1 when "确定" is pressed, 2 when the box is closed otherwise.
  int ShowModal() override;

 private:
  const MainWindow& owner_;
  const Look& look_;
  const LookFonts& fonts_;
  Icon icon_ = Icon::Information;
  Font font_;
  std::string caption_;
  std::string text_;
};

class WinMessageDialog : public TMessageDialog {
 public:
  WinMessageDialog(const MainWindow& owner, const Look& look, const LookFonts& fonts)
      : owner_(owner), look_(look), fonts_(fonts) {}

  void SetCaption(const std::string& caption) override { caption_ = caption; }
  void SetText(const std::string& text) override { text_ = text; }
  // kYes, kNo, or 0 when the dialog is closed without an answer.
  int ShowModal() override;

 private:
  const MainWindow& owner_;
  const Look& look_;
  const LookFonts& fonts_;
  std::string caption_;
  std::string text_;
};

}  // namespace qev::win32
