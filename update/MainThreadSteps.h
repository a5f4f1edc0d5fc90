#pragma once
// The update worker's steps that run on the main thread, over the update view.

#include "update/QeThread.h"
#include "update/UpdateLog.h"
#include "update/UpdateView.h"

namespace qev {

class ViewUpdateSteps : public UpdateMainSteps {
 public:
  ViewUpdateSteps(UpdateView& view, const TUpdateSettings& settings, UpdateLog& log)
      : view_(view), settings_(settings), log_(log) {}

  // Asks whether to reload the zone list from the newly installed configuration file.
  void AskZoneListReload() override;
  // Asks (when EnableCue is on) and arms the patch run.
  void AskPatchUpdate() override;
  void StartSelfUpdateTimer() override;
  void ReportZoneListBad() override;
  void ReportUpdateRefused() override;

 private:
  UpdateView& view_;
  const TUpdateSettings& settings_;
  UpdateLog& log_;
};

}  // namespace qev
