#include <gtest/gtest.h>

#include "platform/FileOps.h"
#include "tests/fakes/MemFileSystem.h"

namespace qev {
namespace {

TEST(FileOps, PathParts) {
  EXPECT_EQ(DirPart("C:\\game\\update\\a.zip"), "C:\\game\\update\\");
  EXPECT_EQ(NamePart("C:\\game\\update\\a.zip"), "a.zip");
  EXPECT_EQ(NamePart("dir/sub\\x"), "x");
  EXPECT_EQ(DirPart("plain"), "");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\game\\"), "C:\\game");
  // "\xb1\x5c" is one GBK character whose second byte is the backslash byte.
  EXPECT_EQ(NamePart("C:\\\xb1\x5c\\a\xb1\x5c"), "a\xb1\x5c");
  EXPECT_EQ(DirPart("C:\\\xb1\x5c\\a\xb1\x5c"), "C:\\\xb1\x5c\\");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\\xb1\x5c"), "C:\\\xb1\x5c");
}

TEST(FileOps, WriteReplacingKeepsOldFileWhenDiskIsFull) {
  test::MemFileSystem fs;
  fs.AddFile("C:\\g\\Config.ini", "old content");
  fs.SetSpaceLeft(4);
  EXPECT_EQ(WriteFileReplacing(fs, "C:\\g\\Config.ini", "new longer content"), kErrDiskFull);
  EXPECT_EQ(fs.Contents("c:\\G\\config.INI"), "old content");
  EXPECT_EQ(fs.ListFiles().size(), 1u);  // no temporary file left behind
  fs.SetSpaceLeft(UINT64_MAX);
  EXPECT_EQ(WriteFileReplacing(fs, "C:\\g\\Config.ini", "new"), kErrNone);
  EXPECT_EQ(fs.Contents("C:\\g\\Config.ini"), "new");
  EXPECT_EQ(fs.ListFiles().size(), 1u);
}

TEST(FileOps, WriteReplacingLockedTargetFailsAndCleansUp) {
  test::MemFileSystem fs;
  fs.AddFile("C:\\g\\a.txt", "keep");
  fs.Lock("C:\\g\\a.txt");
  EXPECT_EQ(WriteFileReplacing(fs, "C:\\g\\a.txt", "x"), kErrSharingViolation);
  fs.Lock("C:\\g\\a.txt", false);
  EXPECT_EQ(fs.Contents("C:\\g\\a.txt"), "keep");
  EXPECT_EQ(fs.ListFiles().size(), 1u);
}

TEST(FileOps, CreateDirPathMakesEveryLevel) {
  test::MemFileSystem fs;
  fs.AddDir("C:\\g");
  EXPECT_EQ(CreateDirPath(fs, "C:\\g\\a\\b\\c\\"), kErrNone);
  EXPECT_TRUE(fs.DirExists("c:\\g\\A\\b"));
  EXPECT_TRUE(fs.DirExists("C:\\g\\a\\b\\c"));
  fs.AddFile("C:\\g\\file", "x");
  EXPECT_NE(CreateDirPath(fs, "C:\\g\\file\\sub"), kErrNone);  // a file is in the way
}

}  // namespace
}  // namespace qev

namespace qev {
namespace {

TEST(MemFileSystem, GbkNamesFoldOnlyAsciiLetters) {
  test::MemFileSystem fs;
  // "\xb1\x5c" and "\xb1\x7c" are GBK characters whose second bytes are "\" and "|";
  // "\xb1\x61" and "\xb1\x41" differ only in a second byte that looks like a letter.
  fs.AddFile("C:\\g\\\xb1\x5c\\x.txt", "one");
  fs.AddFile("C:\\g\\\xb1\x61.txt", "two");
  EXPECT_TRUE(fs.DirExists("c:\\G\\\xb1\x5c"));
  EXPECT_EQ(fs.Contents("C:\\G\\\xb1\x5c\\X.TXT"), "one");
  EXPECT_FALSE(fs.FileExists("C:\\g\\\xb1\x41.txt"));
  EXPECT_EQ(fs.Contents("C:\\g\\\xb1\x61.TXT"), "two");
}

}  // namespace
}  // namespace qev
