#pragma once
// What the window does when the update guard refuses a download: the update stops, and
// the player is told once.

#include "update/UpdateGuard.h"
#include "update/UpdateView.h"

namespace qev {

// Sets the stop flag and, for the first refusal only, shows kUpdateRefusedText.
void StopRefusedUpdate(UpdateView& view, UpdateGuard& guard);

}  // namespace qev
