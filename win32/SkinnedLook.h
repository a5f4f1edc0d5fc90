#pragma once
// The window's look with an operator's skin over it: the skin's QEV_ pictures (the
// face, the image buttons, the status icons) where it has them, the built-in look
// everywhere else. Without a loaded skin it is the built-in look.

#include <array>

#include "skin/FileTheme.h"
#include "win32/BuiltInLook.h"
#include "win32/GdiHolders.h"
#include "win32/Look.h"

namespace qev::win32 {

class SkinnedLook : public Look {
 public:
  explicit SkinnedLook(const BuiltInLook& builtIn) : builtIn_(builtIn) {}

  // Takes the pictures of theme's loaded skin (none when it is not Ready).
  void Reload(const TsuiFileTheme& theme);
  // True when the face comes from the skin.
  bool SkinnedFace() const { return skinnedFace_; }
  // True when the button's pictures come from the skin.
  bool SkinnedButton(ButtonFace face) const {
    return static_cast<bool>(buttons_[static_cast<size_t>(face)][0]);
  }

  HBITMAP MakeFace() const override;
  bool StoredFace(StoredRows& out) const override {
    out = StoredRows{};
    return !skinnedFace_ && builtIn_.StoredFace(out);
  }
  HBITMAP Button(ButtonFace face, ButtonState state) const override;
  HBITMAP StatusIcon(bool running) const override;
  HBITMAP CheckBoxStrip() const override { return builtIn_.CheckBoxStrip(); }
  COLORREF Colour(LookColour which) const override { return builtIn_.Colour(which); }
  HICON ProgramIcon(int size) const override { return builtIn_.ProgramIcon(size); }

 private:
  static constexpr int kFaces = static_cast<int>(ButtonFace::Dialog) + 1;
  static constexpr int kStates = static_cast<int>(ButtonState::Disabled) + 1;

  const BuiltInLook& builtIn_;
  // The loaded skin's theme (it outlives the look); its face is made into a picture
  // when asked for.
  const TsuiFileTheme* theme_ = nullptr;
  bool skinnedFace_ = false;
  // Per face: the skin's pictures, all null when the skin gives the face none.
  std::array<std::array<Bitmap, kStates>, kFaces> buttons_;
  Bitmap statusUp_;
  Bitmap statusDown_;
};

}  // namespace qev::win32
