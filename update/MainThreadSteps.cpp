#include "update/MainThreadSteps.h"

#include "update/UpdateGuard.h"
#include "update/UpdateTexts.h"

namespace qev {

void ViewUpdateSteps::AskZoneListReload() {
  if (!view_.AskYesNo(texts::kZoneReloadCaption, texts::kZoneReloadText)) {
    log_.Write("zone list: the player kept the shown list until the next start");
    return;
  }
  view_.ReloadZoneList();
  const TServerList& servers = view_.State().ServerList;
  // The note goes on the second row; a shorter list has no such row to relabel.
  if (servers.size() >= 2)
    view_.SetZoneRow(1, servers[1]->ServerCaption + "  " + texts::kZoneReloadDone);
  log_.Write("zone list: reloaded, " + std::to_string(servers.size()) + " zones");
}

void ViewUpdateSteps::AskPatchUpdate() {
  if (settings_.EnableCue && !view_.AskYesNo(texts::kPatchAskCaption, texts::kPatchAskText)) {
    log_.Write("patch run: declined by the player");
    return;
  }
  log_.Write("patch run: armed");
  view_.SetTimerEnabled(UpdateTimer::PatchRun, true);
  view_.SetTimerEnabled(UpdateTimer::StopWatch, true);
  view_.ShowUpdateControls(true);
}

void ViewUpdateSteps::StartSelfUpdateTimer() {
  log_.Write("self-update: armed");
  view_.SetTimerEnabled(UpdateTimer::SelfUpdate, true);
}

void ViewUpdateSteps::ReportZoneListBad() { view_.ShowMessage(3, texts::kZoneListBad); }

void ViewUpdateSteps::ReportUpdateRefused() { view_.ShowMessage(2, kUpdateRefusedText); }

}  // namespace qev
