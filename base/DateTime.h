#pragma once
// Date-time values as the launcher keeps them: days since 1899-12-30 with the time of
// day as the fraction (negative values count back, the fraction still moving forward),
// and their conversions to file times and to the packed DOS date and time.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/FileTime.h"

namespace qev {

using TDateTime = double;

struct CivilTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Exact for whole milliseconds; false for an invalid date or time.
bool EncodeDateTime(const CivilTime& c, TDateTime& out);
CivilTime DecodeDateTime(TDateTime value);

// FILETIME ticks (in whatever zone they are given) <-> TDateTime of the same zone.
TDateTime TicksToDateTime(FileTimeTicks ticks);
FileTimeTicks DateTimeToTicks(TDateTime value);

// The packed DOS form: date in the high 16 bits (years 1980-2107), time in the low
// 16 bits at two-second resolution. False when the value is outside that range.
bool DateTimeToDos(TDateTime value, uint32_t& dos);
bool DosToDateTime(uint32_t dos, TDateTime& out);

// "yyyy-mm-dd hh:nn:ss" (the process's short date plus long time format).
std::string FormatDateTime(TDateTime value);
// Reads a date in year-month-day order with "-" between the parts, optionally followed
// by blanks and a time hh:nn[:ss] with ":" between the parts (as the launcher's date and
// time formats name them). False on anything else.
bool ParseDateTime(std::string_view text, TDateTime& out);

}  // namespace qev
