#pragma once
// The update progress (msctls_progress32) in the window's gold on dark.

#include "win32/ControlKit.h"
#include "win32/MainLayout.h"
#include "win32/WinControl.h"

namespace qev::win32 {

class WinProgressBar : public WinControl<TProgressBar> {
 public:
  explicit WinProgressBar(const ControlKit& kit) : kit_(kit) {}
  bool Create(int id, const layout::Place& place);

  int Min() const override;
  void SetMin(int v) override;
  int Max() const override;
  void SetMax(int v) override;
  int Position() const override;
  void SetPosition(int v) override;

 private:
  ControlKit kit_;
};

}  // namespace qev::win32
