#pragma once
// The system's millisecond tick count (time since system start, wrapping at 2^32).

#include <cstdint>

namespace qev {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t TickCount() = 0;
};

}  // namespace qev
