#pragma once
// The update worker's steps that run on the main thread, over the main window.

#include "launcher/TForm1.h"
#include "update/QeThread.h"

namespace qev {

class FormUpdateSteps : public UpdateMainSteps {
 public:
  FormUpdateSteps(TForm1& form, const TUpdateSettings& settings)
      : form_(form), settings_(settings) {}

  // Asks whether to reload the zone list from the newly installed configuration file.
  void AskZoneListReload() override;
  // Asks (when EnableCue is on) and arms the patch run.
  void AskPatchUpdate() override;
  void StartSelfUpdateTimer() override;
  void ReportZoneListBad() override;

 private:
  TForm1& form_;
  const TUpdateSettings& settings_;
};

// Shows the progress bar and the stop button in place of the start button, or back.
void ShowUpdateControls(TForm1& form, bool updating);

}  // namespace qev
