#include <gtest/gtest.h>

#include "config/FileTimes.h"
#include "tests/fakes/MemFileSystem.h"

namespace qev {
namespace {

constexpr int64_t kHour = 3600LL * 10000000LL;
constexpr char kFile[] = "C:\\g\\data\\a.dat";

TDateTime Local(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
  TDateTime v = 0;
  EXPECT_TRUE(EncodeDateTime({y, mo, d, h, mi, s, ms}, v));
  return v;
}

TEST(FileTimes, ReadGivesLocalTimeAtTwoSecondResolution) {
  test::MemFileSystem fs;
  fs.SetLocalBias(8 * kHour);
  // 2024-06-01 12:00:31.500 UTC is 20:00:31.500 local, packed as 20:00:30.
  fs.AddFile(kFile, "x", DateTimeToTicks(Local(2024, 6, 1, 12, 0, 31, 500)));
  EXPECT_DOUBLE_EQ(FileTimeAsDateTime(fs, kFile, 2), Local(2024, 6, 1, 20, 0, 30));
  EXPECT_DOUBLE_EQ(FileTimeAsDateTime(fs, kFile, 0), Local(2024, 6, 1, 20, 0, 30));

  EXPECT_EQ(FileTimeAsDateTime(fs, "C:\\g\\data\\missing", 2), -1.0);
  EXPECT_EQ(FileTimeAsDateTime(fs, "C:\\g\\data", 2), -1.0);  // a folder
  EXPECT_EQ(FileTimeAsDateTime(fs, kFile, 3), -1.0);
  fs.AddFile("C:\\g\\old", "x", DateTimeToTicks(Local(1979, 12, 31, 12, 0, 0)));
  EXPECT_EQ(FileTimeAsDateTime(fs, "C:\\g\\old", 2), -1.0);  // before packed dates begin
}

TEST(FileTimes, SetWritesOnlyTheNamedStamp) {
  test::MemFileSystem fs;
  fs.SetLocalBias(-5 * kHour);
  const FileTimeTicks before = DateTimeToTicks(Local(2020, 1, 1, 0, 0, 0));
  fs.AddFile(kFile, "x", before);
  ASSERT_EQ(SetFileTimeFromDateTime(fs, kFile, 2, Local(2030, 1, 2, 3, 4, 5, 900)), kErrNone);
  FileTimeTicks got = 0;
  ASSERT_EQ(fs.GetFileTime(kFile, FileTimeKind::LastWrite, got), kErrNone);
  EXPECT_EQ(got, DateTimeToTicks(Local(2030, 1, 2, 8, 4, 4)));  // UTC, seconds rounded down
  EXPECT_DOUBLE_EQ(FileTimeAsDateTime(fs, kFile, 2), Local(2030, 1, 2, 3, 4, 4));
  ASSERT_EQ(fs.GetFileTime(kFile, FileTimeKind::Creation, got), kErrNone);
  EXPECT_EQ(got, before);
  ASSERT_EQ(fs.GetFileTime(kFile, FileTimeKind::LastAccess, got), kErrNone);
  EXPECT_EQ(got, before);

  EXPECT_EQ(SetFileTimeFromDateTime(fs, "C:\\g\\nope", 2, Local(2030, 1, 1, 0, 0, 0)),
            kErrFileNotFound);
  fs.Lock(kFile);
  EXPECT_EQ(SetFileTimeFromDateTime(fs, kFile, 1, Local(2030, 1, 1, 0, 0, 0)),
            kErrSharingViolation);
  fs.Lock(kFile, false);
  EXPECT_NE(SetFileTimeFromDateTime(fs, kFile, 2, Local(1970, 1, 1, 0, 0, 0)), kErrNone);
}

}  // namespace
}  // namespace qev
