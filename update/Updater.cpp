#include "update/Updater.h"

#include "update/PatchRun.h"
#include "update/QeThread.h"
#include "update/SelfUpdate.h"

namespace qev {

void TUpdater::Attach(TForm1& form) {
  form_ = &form;
  steps_ = std::make_unique<FormUpdateSteps>(form, Settings);
  form.Timer4.OnTimer = [this] { Timer4Timer(*form_, Settings); };
  form.Timer5.OnTimer = [this] { Timer5Timer(*form_); };
  form.Button1.OnClick = [this] { Button1Click(*form_); };
  // The window's client asks for whole files with the default headers and does not
  // follow redirects; its time-outs stay at the client's defaults.
  form.IdHTTP1.SetFollowRedirects(false);
  form.IdHTTP1.SetHeaders(HttpHeaders{});
  form.IdHTTP1.SetWorkEvents([this](int64_t n) { IdHTTP1WorkBegin(*form_, n); },
                             [this](int64_t n) { IdHTTP1Work(*form_, n); });
}

void TUpdater::StartExistFile() {
  if (!form_) return;
  TThread::Start(
      std::make_unique<TExistFile>(threads_, form_->Services().Fs, form_->Values.AppDir));
}

void TUpdater::StartUpIP(const std::string& updateUrl) {
  if (!form_) return;
  UpdateContext ctx{form_->Services().Fs, form_->Values,         Settings, http_,
                    form_->ConfigFileCrc, form_->LauncherFileCrc};
  TThread::Start(std::make_unique<TUpIP>(threads_, ctx, *steps_, updateUrl));
}

void TUpdater::RunSelfUpdate(TForm1& form) { qev::RunSelfUpdate(form, Settings); }

}  // namespace qev
