#include <gtest/gtest.h>

#include "zip/DosTime.h"
#include "zip/MemberName.h"

namespace qev {
namespace {

TEST(MemberName, TakesTheLastPartAndRefusesUnsafeNames) {
  struct {
    int line;
    const char* stored;
    const char* name;
  } cases[] = {
      {__LINE__, "patch.dat", "patch.dat"},
      {__LINE__, "data/map/1.map", "1.map"},
      {__LINE__, "data\\map\\1.map", "1.map"},
      {__LINE__, "../../windows/evil.exe", "evil.exe"},
      {__LINE__, "C:\\windows\\evil.exe", "evil.exe"},
      {__LINE__, "folder/", ""},
      {__LINE__, "", ""},
      {__LINE__, "a/.", ""},
      {__LINE__, "a/..", ""},
      {__LINE__, "C:evil.exe", ""},
      {__LINE__, "file.txt:stream", ""},
      {__LINE__,
       "a\x01"
       "b",
       ""},
      {__LINE__, "tab\there", ""},
      {__LINE__, "CON", ""},
      {__LINE__, "dir/nul.txt", ""},
      {__LINE__, "Com1.dat", ""},
      {__LINE__, "lpt9", ""},
      {__LINE__, "aux .log", ""},
      {__LINE__, "COM10", "COM10"},
      {__LINE__, "console.log", "console.log"},
      {__LINE__, "what?.txt", ""},
      // GBK: 0x95 0x5C is one character whose second byte looks like "\".
      {__LINE__, "dir/\x95\x5C.txt", "\x95\x5C.txt"},
      {__LINE__, "\xD6\xD0\xCE\xC4\\\xB2\xB9\xB6\xA1.dat", "\xB2\xB9\xB6\xA1.dat"},
      // 0x81 0x7C: a character whose second byte looks like "|".
      {__LINE__, "\x81\x7C.txt", "\x81\x7C.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(SafeMemberFileName(c.stored), c.name) << "line " << c.line;
}

TEST(DosTime, ConvertsAndRejectsImpossibleDates) {
  FileTimeTicks t = 0;
  // 1980-01-01 00:00:00, the first DOS date
  ASSERT_TRUE(DosDateTimeToTicks(0x00210000, t));
  EXPECT_EQ(t, 119600064000000000ULL);
  // 2025-04-12 12:00:00
  ASSERT_TRUE(DosDateTimeToTicks(0x5A8C6000, t));
  EXPECT_EQ(t, 133889328000000000ULL);
  // 2000-02-29 23:59:58 (a leap day, the last two-second step of the day)
  uint32_t leap = ((20u << 9 | 2u << 5 | 29u) << 16) | (23u << 11 | 59u << 5 | 29u);
  ASSERT_TRUE(DosDateTimeToTicks(leap, t));
  EXPECT_EQ(t, 125963423980000000ULL);
  EXPECT_FALSE(DosDateTimeToTicks(0, t));                                 // month 0
  EXPECT_FALSE(DosDateTimeToTicks((21u << 9 | 2u << 5 | 29u) << 16, t));  // 2001-02-29
  EXPECT_FALSE(DosDateTimeToTicks(0x00210000 | 24u << 11, t));            // hour 24
}

}  // namespace
}  // namespace qev
