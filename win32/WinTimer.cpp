#include "win32/WinTimer.h"

namespace qev::win32 {

void WinTimer::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  if (on && interval_ > 0)
    SetTimer(owner_, id_, interval_, nullptr);
  else
    Stop();
}

void WinTimer::SetInterval(uint32_t ms) {
  interval_ = ms;
  // A running timer starts counting the new interval from now, as a re-enable would.
  if (!enabled_) return;
  if (ms > 0)
    SetTimer(owner_, id_, ms, nullptr);
  else
    Stop();
}

void WinTimer::Stop() {
  if (owner_) KillTimer(owner_, id_);
}

void WinTimer::Fire() {
  if (enabled_ && OnTimer) OnTimer();
}

}  // namespace qev::win32
