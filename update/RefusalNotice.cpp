#include "update/RefusalNotice.h"

namespace qev {

void StopRefusedUpdate(UpdateView& view, UpdateGuard& guard) {
  view.SetUpdateStopped(true);
  view.ShowUpdateControls(false);
  if (guard.TakeRefusalNotice()) view.ShowMessage(2, kUpdateRefusedText);
}

}  // namespace qev
