#include "zip/DosTime.h"

namespace qev {
namespace {

// Days from 1601-01-01 to the given date of the proleptic Gregorian calendar.
int64_t DaysSince1601(int year, int month, int day) {
  int64_t y = year - (month <= 2 ? 1 : 0);
  int64_t era = y / 400;
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  constexpr int64_t kDays1601To1970 = 134774;
  return era * 146097 + doe - 719468 + kDays1601To1970;  // 719468: 0000-03-01 to 1970-01-01
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

}  // namespace

bool DosDateTimeToTicks(uint32_t dos, FileTimeTicks& ticks) {
  int date = static_cast<int>(dos >> 16), time = static_cast<int>(dos & 0xFFFF);
  int year = 1980 + (date >> 9), month = (date >> 5) & 15, day = date & 31;
  int hour = time >> 11, minute = (time >> 5) & 63, second = (time & 31) * 2;
  static const int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1) return false;
  if (day > kMonthDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0)) return false;
  if (hour > 23 || minute > 59 || second > 59) return false;
  int64_t secs = DaysSince1601(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
  ticks = static_cast<FileTimeTicks>(secs) * kTicksPerSecond;
  return true;
}

}  // namespace qev
