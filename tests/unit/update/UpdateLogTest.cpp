// The operator's update log: stamped GBK lines, one rotation at the cap, and a log that
// cannot be written never gets in the way.
#include <gtest/gtest.h>

#include "tests/fakes/GbkText.h"
#include "tests/fakes/MemFileSystem.h"
#include "update/UpdateLog.h"

namespace qev {
namespace {

constexpr char kLog[] = "C:\\Game\\QevLogin.log";

struct Log : ::testing::Test {
  Log() {
    fs.AddDir("C:\\Game");
    log.Stamp = [] { return std::string("2026-12-09 03:00:00"); };
  }
  test::MemFileSystem fs;
  UpdateLog log;
};

TEST_F(Log, KeepsEarlierRunsAndFlattensEachStepToOneLine) {
  fs.AddFile(kLog, "2026-12-08 10:00:00  an earlier run\r\n");
  log.Write("nothing: not open yet");
  EXPECT_EQ(fs.Contents(kLog), "2026-12-08 10:00:00  an earlier run\r\n");
  log.Open(fs, kLog);
  log.Write("patch: download failed: http://h/a.zip: HTTP/1.1 404 Not Found");
  log.Write(test::Gbk("更新登录器失败，请联系管理员，原因：") + "\r\nRead timed out.");
  EXPECT_EQ(fs.Contents(kLog),
            "2026-12-08 10:00:00  an earlier run\r\n"
            "2026-12-09 03:00:00  patch: download failed: http://h/a.zip: HTTP/1.1 404 Not "
            "Found\r\n"
            "2026-12-09 03:00:00  " +
                test::Gbk("更新登录器失败，请联系管理员，原因：") + "  Read timed out.\r\n");
}

TEST_F(Log, RotatesOnceAtTheCap) {
  log.Open(fs, kLog, 100);
  const std::string step(40, 'a');  // 63 bytes a line with stamp and line break
  log.Write(step);
  log.Write(step + "b");  // would pass 100: the first line moves to .1
  EXPECT_EQ(fs.Contents(std::string(kLog) + ".1"), "2026-12-09 03:00:00  " + step + "\r\n");
  EXPECT_EQ(fs.Contents(kLog), "2026-12-09 03:00:00  " + step + "b\r\n");
  log.Write(step + "c");  // a second rotation replaces the older .1
  EXPECT_EQ(fs.Contents(std::string(kLog) + ".1"), "2026-12-09 03:00:00  " + step + "b\r\n");
  EXPECT_EQ(fs.Contents(kLog), "2026-12-09 03:00:00  " + step + "c\r\n");
  EXPECT_EQ(fs.ListFiles().size(), 2u);
}

TEST_F(Log, ALockedOrFullLogChangesNothingElse) {
  log.Open(fs, kLog);
  log.Write("first");
  const std::string before = fs.Contents(kLog);
  fs.Lock(kLog);
  log.Write("while locked");
  fs.Lock(kLog, false);
  EXPECT_EQ(fs.Contents(kLog), before);
  fs.SetSpaceLeft(10);
  log.Write("disk full");
  EXPECT_EQ(fs.Contents(kLog), before);  // the old log stays whole
  EXPECT_EQ(fs.ListFiles().size(), 1u);  // and no temporary file is left behind
}

}  // namespace
}  // namespace qev
