#pragma once
// The packed DOS date and time of a ZIP member as FILETIME ticks of the same zone.

#include <cstdint>

#include "platform/FileSystem.h"

namespace qev {

// dos: date in the high 16 bits, time in the low 16 bits. False for an impossible date.
bool DosDateTimeToTicks(uint32_t dos, FileTimeTicks& ticks);

}  // namespace qev
