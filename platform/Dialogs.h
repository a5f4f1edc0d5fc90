#pragma once
// The dialogs that talk to the player: the skinned message box, the skinned yes/no
// question and the system's plain message boxes. Each call is modal and returns the
// player's answer.

#include <cstdint>
#include <string>

namespace qev {

// The skinned message box (one button).
class TMessForm {
 public:
  enum class Icon { Help, Information, Stop, Warning, None };
  virtual ~TMessForm() = default;
  virtual void SetIcon(Icon icon) = 0;
  virtual Icon GetIcon() const = 0;
  virtual void SetFont(const std::string& name, int size) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetText(const std::string& text) = 0;
  // Shows the box modally (colours and images from the skin theme) and returns its
  // modal result.
  virtual int ShowModal() = 0;
};

// The skinned question with the buttons "(&Y)是" and "(&N)否".
class TMessageDialog {
 public:
  static constexpr int kYes = 1;
  static constexpr int kNo = 2;
  virtual ~TMessageDialog() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetText(const std::string& text) = 0;
  // kYes, kNo, or another value when the dialog is closed otherwise.
  virtual int ShowModal() = 0;
};

// The system's message box; flags and results are the Windows values.
class SystemDialogs {
 public:
  static constexpr uint32_t kOk = 0x00;
  static constexpr uint32_t kYesNo = 0x04;
  static constexpr uint32_t kIconInformation = 0x40;
  static constexpr int kIdOk = 1;
  static constexpr int kIdYes = 6;
  static constexpr int kIdNo = 7;
  virtual ~SystemDialogs() = default;
  // ownedByMainWindow false gives a box without owner window. Where <windows.h> is
  // included, MessageBox is a macro: #undef it before declaring the implementation.
  virtual int MessageBox(const std::string& text, const std::string& caption, uint32_t flags,
                         bool ownedByMainWindow) = 0;
};

}  // namespace qev
