#pragma once
// The launcher's own look: pictures compiled into the executable as bitmap resources
// (made by tools/artgen) and a fixed set of colours.

#include <array>
#include <string>

#include "win32/GdiHolders.h"
#include "win32/Look.h"

namespace qev::win32 {

class BuiltInLook : public Look {
 public:
  // Loads every picture from module's resources; a missing one stays null (the control
  // then draws a plain substitute). Pictures drawn only later are loaded when first
  // asked for: a button's strip with its first state, and each state's picture cut from
  // the strip then (most states are never drawn in a session, and each cut costs device
  // contexts, which are slow to make under Wine); the small icon, for the tray. The face
  // is not kept: MakeFace() reads it from the resource each time.
  explicit BuiltInLook(HINSTANCE module);
  ~BuiltInLook() override;

  HBITMAP MakeFace() const override;
  bool StoredFace(StoredRows& out) const override;
  HBITMAP Button(ButtonFace face, ButtonState state) const override;
  HBITMAP StatusIcon(bool running) const override {
    return running ? statusUp_.get() : statusDown_.get();
  }
  HBITMAP CheckBoxStrip() const override { return checkBoxes_.get(); }
  COLORREF Colour(LookColour which) const override;
  HICON ProgramIcon(int size) const override;

  // True when every picture was found.
  bool Complete() const;

 private:
  static constexpr int kFaces = static_cast<int>(ButtonFace::Dialog) + 1;
  static constexpr int kStates = static_cast<int>(ButtonState::Disabled) + 1;

  HINSTANCE module_;
  mutable std::array<Bitmap, kFaces> strips_;
  mutable std::array<bool, kFaces> stripLoaded_{};
  mutable std::array<std::array<Bitmap, kStates>, kFaces> buttons_;
  mutable std::array<std::array<bool, kStates>, kFaces> cut_{};
  Bitmap statusUp_;
  Bitmap statusDown_;
  Bitmap checkBoxes_;
  mutable HICON iconSmall_ = nullptr;
  mutable bool smallLoaded_ = false;
  HICON iconLarge_ = nullptr;
};

// Cuts frame index (1-based) of count equal frames out of a horizontal strip; the last
// frame is the right-most frame-width columns. Null when the strip is null or the
// frame does not exist.
HBITMAP CutFrame(HBITMAP strip, int count, int index);

}  // namespace qev::win32
