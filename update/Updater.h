#pragma once
// TUpdater: the updating subsystem as the main window sees it. It owns the update
// settings and the update log, starts the two workers, and binds the patch run's
// handlers to the window through the update view.
//
// Wiring: construct it before the window, pass it in TForm1Services, then call
// Attach(view) after the window exists and before FormCreate.

#include <memory>
#include <string>

#include "update/UpdateDriver.h"
#include "platform/Thread.h"
#include "update/MainThreadSteps.h"
#include "update/UpdateGuard.h"
#include "update/UpdateLog.h"
#include "update/UpdateSettings.h"
#include "update/UpdateView.h"

namespace qev {

// The window client's time-outs: a stalled patch server ends the run with the time-out
// message within this long, and a dead one within the connect time-out.
inline constexpr uint32_t kWindowConnectTimeoutMs = 10000;
inline constexpr uint32_t kWindowReadTimeoutMs = 15000;

class TUpdater : public UpdateDriver, private UpdateEvents {
 public:
  TUpdater(ThreadHost& threads, HttpClientFactory& http) : threads_(threads), http_(http) {}

  // Binds the patch-run timer, the stop watchdog, the stop button and the work events of
  // the window's client, sets that client up, and opens the log beside the launcher.
  void Attach(UpdateView& view);

  void StartExistFile() override;
  void StartUpIP(const std::string& updateUrl) override;
  void RunSelfUpdate(UpdateView& view) override;

  // Written by the update worker before the hand-over that leads the window to read it.
  TUpdateSettings Settings;
  UpdateLog Log;
  // The expected size the last work-begin event announced (low 32 bits).
  int32_t DownloadTotal = 0;

 private:
  void PatchTimerFired() override;
  void StopWatchFired() override;
  void StopButtonClicked() override;
  void TransferBegins(int64_t expected) override;
  void TransferProgress(int64_t countSoFar) override;

  ThreadHost& threads_;
  HttpClientFactory& http_;
  UpdateView* view_ = nullptr;
  std::unique_ptr<ViewUpdateSteps> steps_;
  // Made when the update worker starts, from the key the configuration file pins.
  std::unique_ptr<UpdateGuard> guard_;
};

}  // namespace qev
