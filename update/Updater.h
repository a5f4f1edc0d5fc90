#pragma once
// TUpdater: the updating subsystem as the main window sees it. It owns the update
// settings, starts the two workers, and binds the patch run's handlers to the window.
//
// Wiring: construct it before the window, pass it in TForm1Services, then call
// Attach(form) after the window exists and before FormCreate.

#include <memory>
#include <string>

#include "launcher/TForm1.h"
#include "launcher/UpdateDriver.h"
#include "platform/Thread.h"
#include "update/MainThreadSteps.h"
#include "update/UpdateSettings.h"

namespace qev {

class TUpdater : public UpdateDriver {
 public:
  TUpdater(ThreadHost& threads, HttpClientFactory& http) : threads_(threads), http_(http) {}

  // Binds Timer4, Timer5, Button1 and the work events of IdHTTP1.
  void Attach(TForm1& form);

  void StartExistFile() override;
  void StartUpIP(const std::string& updateUrl) override;
  void RunSelfUpdate(TForm1& form) override;

  // Written by the update worker before the hand-over that leads the window to read it.
  TUpdateSettings Settings;

 private:
  ThreadHost& threads_;
  HttpClientFactory& http_;
  TForm1* form_ = nullptr;
  std::unique_ptr<FormUpdateSteps> steps_;
};

}  // namespace qev
