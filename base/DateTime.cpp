#include "base/DateTime.h"

#include <cmath>
#include <cstdio>

namespace qev {

namespace {

constexpr int64_t kMsPerDay = 86400000;
// Days from 1601-01-01 (FILETIME zero) to 1899-12-30 (TDateTime zero).
constexpr int64_t kFileTimeEpochDays = 109205;
// Days from 1899-12-30 to 1970-01-01, the epoch of the civil-date arithmetic below.
constexpr int64_t kUnixEpochDays = 25569;
constexpr int64_t kTicksPerMs = 10000;

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Proleptic Gregorian date <-> days since 1970-01-01 (era arithmetic over 400-year cycles).
int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

// A day number and a millisecond of that day as one value: the fraction always moves
// forward in time, also on days before the zero day.
TDateTime Compose(int64_t day, int64_t msOfDay) {
  const double frac = static_cast<double>(msOfDay) / kMsPerDay;
  return day >= 0 ? static_cast<double>(day) + frac : static_cast<double>(day) - frac;
}

// The inverse of Compose, rounded to the nearest millisecond.
void Split(TDateTime value, int64_t& day, int64_t& msOfDay) {
  const double whole = std::trunc(value);
  day = static_cast<int64_t>(whole);
  msOfDay = std::llround(std::fabs(value - whole) * kMsPerDay);
  if (msOfDay >= kMsPerDay) {
    msOfDay -= kMsPerDay;
    day += 1;
  }
}

}  // namespace

bool EncodeDateTime(const CivilTime& c, TDateTime& out) {
  if (c.year < 1 || c.year > 9999 || c.month < 1 || c.month > 12 || c.day < 1 ||
      c.day > DaysInMonth(c.year, c.month))
    return false;
  if (c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59 || c.second < 0 || c.second > 59 ||
      c.millisecond < 0 || c.millisecond > 999)
    return false;
  const int64_t day = DaysFromCivil(c.year, c.month, c.day) + kUnixEpochDays;
  const int64_t ms = ((c.hour * 60LL + c.minute) * 60 + c.second) * 1000 + c.millisecond;
  out = Compose(day, ms);
  return true;
}

CivilTime DecodeDateTime(TDateTime value) {
  int64_t day = 0, ms = 0;
  Split(value, day, ms);
  CivilTime c;
  CivilFromDays(day - kUnixEpochDays, c.year, c.month, c.day);
  c.millisecond = static_cast<int>(ms % 1000);
  c.second = static_cast<int>(ms / 1000 % 60);
  c.minute = static_cast<int>(ms / 60000 % 60);
  c.hour = static_cast<int>(ms / 3600000);
  return c;
}

TDateTime TicksToDateTime(FileTimeTicks ticks) {
  const int64_t ms = static_cast<int64_t>(ticks / kTicksPerMs);
  return Compose(ms / kMsPerDay - kFileTimeEpochDays, ms % kMsPerDay);
}

FileTimeTicks DateTimeToTicks(TDateTime value) {
  int64_t day = 0, ms = 0;
  Split(value, day, ms);
  const int64_t total = (day + kFileTimeEpochDays) * kMsPerDay + ms;
  return total < 0 ? 0 : static_cast<FileTimeTicks>(total) * kTicksPerMs;
}

bool DateTimeToDos(TDateTime value, uint32_t& dos) {
  if (!std::isfinite(value) || std::fabs(value) > 3.0e6) return false;
  const CivilTime c = DecodeDateTime(value);
  if (c.year < 1980 || c.year > 2107) return false;
  const uint32_t date = static_cast<uint32_t>(((c.year - 1980) << 9) | (c.month << 5) | c.day);
  const uint32_t time = static_cast<uint32_t>((c.hour << 11) | (c.minute << 5) | (c.second / 2));
  dos = (date << 16) | time;
  return true;
}

bool DosToDateTime(uint32_t dos, TDateTime& out) {
  const uint32_t date = dos >> 16, time = dos & 0xFFFF;
  CivilTime c;
  c.year = static_cast<int>(date >> 9) + 1980;
  c.month = static_cast<int>((date >> 5) & 0x0F);
  c.day = static_cast<int>(date & 0x1F);
  c.hour = static_cast<int>(time >> 11);
  c.minute = static_cast<int>((time >> 5) & 0x3F);
  c.second = static_cast<int>(time & 0x1F) * 2;
  return EncodeDateTime(c, out);
}

std::string FormatDateTime(TDateTime value) {
  const CivilTime c = DecodeDateTime(value);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour,
                c.minute, c.second);
  return buf;
}

namespace {

// Reads 1 to maxDigits decimal digits at text[pos].
bool ReadNumber(std::string_view text, size_t& pos, int maxDigits, int& out) {
  int digits = 0;
  out = 0;
  while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
    out = out * 10 + (text[pos] - '0');
    ++pos;
    ++digits;
  }
  return digits > 0;
}

bool Expect(std::string_view text, size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

}  // namespace

bool ParseDateTime(std::string_view text, TDateTime& out) {
  CivilTime c;
  size_t pos = 0;
  if (!ReadNumber(text, pos, 4, c.year) || !Expect(text, pos, '-') ||
      !ReadNumber(text, pos, 2, c.month) || !Expect(text, pos, '-') ||
      !ReadNumber(text, pos, 2, c.day))
    return false;
  const size_t afterDate = pos;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  if (pos < text.size()) {
    if (pos == afterDate) return false;
    if (!ReadNumber(text, pos, 2, c.hour) || !Expect(text, pos, ':') ||
        !ReadNumber(text, pos, 2, c.minute))
      return false;
    if (pos < text.size() && (!Expect(text, pos, ':') || !ReadNumber(text, pos, 2, c.second)))
      return false;
    if (pos != text.size()) return false;
  }
  return EncodeDateTime(c, out);
}

}  // namespace qev
