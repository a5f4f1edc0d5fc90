#pragma once
// A TTimer over SetTimer: WM_TIMER messages of the owner window with the timer's ID.

#include <windows.h>

#include "platform/Controls.h"

namespace qev::win32 {

class WinTimer : public TTimer {
 public:
  // The owner passes each WM_TIMER with this ID to Fire.
  WinTimer(HWND owner, UINT_PTR id, uint32_t intervalMs)
      : owner_(owner), id_(id), interval_(intervalMs) {}
  ~WinTimer() override { Stop(); }
  WinTimer(const WinTimer&) = delete;
  WinTimer& operator=(const WinTimer&) = delete;

  UINT_PTR Id() const { return id_; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool on) override;
  uint32_t Interval() const override { return interval_; }
  void SetInterval(uint32_t ms) override;
  // Runs OnTimer (a WM_TIMER of this timer arrived).
  void Fire();

 private:
  void Stop();

  HWND owner_;
  UINT_PTR id_;
  uint32_t interval_;
  bool enabled_ = false;
};

}  // namespace qev::win32
