#pragma once
// The FILETIME count: 100-nanosecond units since 1601-01-01, as file stamps and date
// conversions exchange it.

#include <cstdint>

namespace qev {

using FileTimeTicks = uint64_t;
inline constexpr FileTimeTicks kTicksPerSecond = 10000000ULL;

}  // namespace qev
