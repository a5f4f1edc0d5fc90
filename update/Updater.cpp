#include "update/Updater.h"

#include "update/PatchRun.h"
#include "update/QeThread.h"
#include "update/SelfUpdate.h"

namespace qev {

void TUpdater::Attach(UpdateView& view) {
  view_ = &view;
  Log.Open(view.Files(), view.State().AppDir + kUpdateLogName);
  steps_ = std::make_unique<ViewUpdateSteps>(view, Settings, Log);
  view.BindUpdateEvents(*this);
  // The window's client asks for whole files with the default headers and does not
  // follow redirects.
  TransferSetup setup;
  setup.followRedirects = false;
  setup.connectTimeoutMs = kWindowConnectTimeoutMs;
  setup.readTimeoutMs = kWindowReadTimeoutMs;
  view.SetUpTransfers(setup);
}

void TUpdater::StartExistFile() {
  if (!view_) return;
  TThread::Start(std::make_unique<TExistFile>(threads_, view_->Files(), view_->State().AppDir));
}

void TUpdater::StartUpIP(const std::string& updateUrl) {
  if (!view_) return;
  guard_ = MakeLauncherGuard(view_->Files(), view_->State(),
                             [this](const std::string& line) { Log.Write(line); });
  UpdateContext ctx{view_->Files(),     view_->State(),       Settings, http_,
                    view_->ConfigCrc(), view_->LauncherCrc(), &Log,     guard_.get()};
  TThread::Start(std::make_unique<TUpIP>(threads_, ctx, *steps_, updateUrl));
}

void TUpdater::RunSelfUpdate(UpdateView& view) {
  qev::RunSelfUpdate({view, Settings, Log, guard_.get()});
}

void TUpdater::PatchTimerFired() { Timer4Timer({*view_, Settings, Log, guard_.get()}); }
void TUpdater::StopWatchFired() { Timer5Timer(*view_); }
void TUpdater::StopButtonClicked() { Button1Click(*view_, Log); }
void TUpdater::TransferBegins(int64_t expected) {
  IdHTTP1WorkBegin(*view_, DownloadTotal, expected);
}
void TUpdater::TransferProgress(int64_t countSoFar) {
  IdHTTP1Work(*view_, DownloadTotal, countSoFar);
}

}  // namespace qev
