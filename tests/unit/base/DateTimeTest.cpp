#include <gtest/gtest.h>

#include "base/DateTime.h"

namespace qev {
namespace {

TDateTime Make(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  TDateTime v = 0;
  EXPECT_TRUE(EncodeDateTime({y, mo, d, h, mi, s, ms}, v));
  return v;
}

TEST(DateTime, KnownDayNumbersAndNegativeFractions) {
  EXPECT_DOUBLE_EQ(Make(1899, 12, 30), 0.0);
  EXPECT_DOUBLE_EQ(Make(1900, 1, 1), 2.0);
  EXPECT_DOUBLE_EQ(Make(2000, 1, 1, 12), 36526.5);
  // Before the zero day the fraction still counts forward from the start of that day.
  EXPECT_DOUBLE_EQ(Make(1899, 12, 29, 6), -1.25);
  const CivilTime c = DecodeDateTime(-1.25);
  EXPECT_EQ(c.year, 1899);
  EXPECT_EQ(c.day, 29);
  EXPECT_EQ(c.hour, 6);
}

TEST(DateTime, EncodeRejectsImpossibleDates) {
  TDateTime v = 0;
  EXPECT_FALSE(EncodeDateTime({2023, 2, 29}, v));
  EXPECT_TRUE(EncodeDateTime({2024, 2, 29}, v));
  EXPECT_FALSE(EncodeDateTime({1900, 2, 29}, v));
  EXPECT_FALSE(EncodeDateTime({2024, 13, 1}, v));
  EXPECT_FALSE(EncodeDateTime({2024, 1, 1, 24}, v));
  EXPECT_FALSE(EncodeDateTime({0, 1, 1}, v));
}

TEST(DateTime, DecodeRoundsToMillisecondsAndCarriesIntoNextDay) {
  for (int ms : {0, 1, 499, 999}) {
    const CivilTime c = DecodeDateTime(Make(2031, 7, 15, 23, 59, 59, ms));
    EXPECT_EQ(c.millisecond, ms);
    EXPECT_EQ(c.second, 59);
  }
  const CivilTime c = DecodeDateTime(Make(2031, 12, 31) + 0.99999999999);
  EXPECT_EQ(c.year, 2032);
  EXPECT_EQ(c.month, 1);
  EXPECT_EQ(c.day, 1);
  EXPECT_EQ(c.hour, 0);
}

TEST(DateTime, TicksRoundTrip) {
  // 2001-02-03 04:05:06.789 UTC as a FILETIME.
  const FileTimeTicks ticks = 126256467067890000ULL;
  EXPECT_DOUBLE_EQ(TicksToDateTime(ticks), Make(2001, 2, 3, 4, 5, 6, 789));
  EXPECT_EQ(DateTimeToTicks(TicksToDateTime(ticks)), ticks);
  EXPECT_EQ(DateTimeToTicks(Make(1601, 1, 1)), 0u);
  EXPECT_EQ(DateTimeToTicks(Make(1500, 1, 1)), 0u);  // before FILETIME zero
}

TEST(DateTime, DosPackingAtTwoSecondResolution) {
  uint32_t dos = 0;
  ASSERT_TRUE(DateTimeToDos(Make(2024, 6, 1, 13, 45, 31), dos));
  EXPECT_EQ(dos >> 16, static_cast<uint32_t>((44 << 9) | (6 << 5) | 1));
  EXPECT_EQ(dos & 0xFFFF, static_cast<uint32_t>((13 << 11) | (45 << 5) | 15));
  TDateTime back = 0;
  ASSERT_TRUE(DosToDateTime(dos, back));
  EXPECT_DOUBLE_EQ(back, Make(2024, 6, 1, 13, 45, 30));

  EXPECT_FALSE(DateTimeToDos(Make(1979, 12, 31, 23, 59, 59), dos));
  EXPECT_TRUE(DateTimeToDos(Make(2107, 12, 31, 23, 59, 59), dos));
  EXPECT_FALSE(DateTimeToDos(Make(2108, 1, 1), dos));
  EXPECT_FALSE(DosToDateTime(0, back));                               // month 0, day 0
  EXPECT_FALSE(DosToDateTime(((1u << 5) | 1u) << 16 | (30u), back));  // 60 seconds
  EXPECT_FALSE(DosToDateTime(((2u << 5) | 30u) << 16, back));         // 30 February
}

TEST(DateTime, FormatAndParse) {
  EXPECT_EQ(FormatDateTime(Make(2024, 3, 9, 7, 5, 3)), "2024-03-09 07:05:03");
  TDateTime v = 0;
  ASSERT_TRUE(ParseDateTime("2024-03-09 07:05:03", v));
  EXPECT_DOUBLE_EQ(v, Make(2024, 3, 9, 7, 5, 3));
  ASSERT_TRUE(ParseDateTime("2024-3-9", v));
  EXPECT_DOUBLE_EQ(v, Make(2024, 3, 9));
  ASSERT_TRUE(ParseDateTime("2024-03-09  7:05", v));
  EXPECT_DOUBLE_EQ(v, Make(2024, 3, 9, 7, 5));
  for (const char* bad : {"", "2024/03/09", "2024-03-09x", "2024-02-30", "2024-03-09 25:00",
                          "2024-03-0907:05", "2024-03-09 07:05:", "2024-03-09 07"})
    EXPECT_FALSE(ParseDateTime(bad, v)) << bad;
}

}  // namespace
}  // namespace qev
