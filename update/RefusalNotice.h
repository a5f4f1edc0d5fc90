#pragma once
// What the window does when the update guard refuses a download: the update stops, the
// start button comes back (nothing is left to stop), and the player is told once.

#include "update/UpdateGuard.h"
#include "update/UpdateView.h"

namespace qev {

// Sets the stop flag, restores the start button and, for the first refusal only, shows
// kUpdateRefusedText.
void StopRefusedUpdate(UpdateView& view, UpdateGuard& guard);

}  // namespace qev
