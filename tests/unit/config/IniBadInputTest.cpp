#include <gtest/gtest.h>

#include <random>

#include "config/FastIniFile.h"
#include "platform/FileError.h"
#include "tests/fakes/MemFileSystem.h"

namespace qev {
namespace {

constexpr char kPath[] = "C:\\game\\Config.ini";

TEST(IniBadInput, NulEndsTheContent) {
  test::MemFileSystem fs;
  static const char kText[] = "[s]\nk=v\0[t]\nx=1\n";
  fs.AddFile(kPath, std::string(kText, sizeof kText - 1));
  TFastIniFile ini(fs, kPath);
  EXPECT_EQ(ini.ReadString("s", "k", ""), "v");
  EXPECT_EQ(ini.ReadString("t", "x", "none"), "none");
  ini.WriteString("s", "k", "w");
  ini.Release();
  EXPECT_EQ(fs.Contents(kPath), "[s]\r\nk=w\r\n");

  fs.AddFile(kPath, std::string(4096, '\0'));
  TFastIniFile nuls(fs, kPath);
  std::vector<std::string> names{"x"};
  nuls.ReadSections(names);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(nuls.Statistics().Blanks + nuls.Statistics().Others, 0);
  nuls.WriteString("s", "k", "v");
  nuls.Release();
  EXPECT_EQ(fs.Contents(kPath), "[s]\r\nk=v\r\n");
}

TEST(IniBadInput, EveryLineEndingCountsOnce) {
  test::MemFileSystem fs;
  // CR only, LF CR (a line end and an empty line), CR LF, LF.
  fs.AddFile(kPath, "[s]\ra=1\rb=2\n\rc=3\r\nd=4\n");
  TFastIniFile ini(fs, kPath);
  EXPECT_EQ(ini.ReadString("s", "c", ""), "3");
  EXPECT_EQ(ini.ReadString("s", "d", ""), "4");
  const TStatistics st = ini.Statistics();
  EXPECT_EQ(st.Sections, 1);
  EXPECT_EQ(st.Others, 4);
  EXPECT_EQ(st.Blanks, 1);
  ini.WriteString("s", "a", "0");
  ini.Release();
  EXPECT_EQ(fs.Contents(kPath), "[s]\r\na=0\r\nb=2\r\n\r\nc=3\r\nd=4\r\n");
}

TEST(IniBadInput, HugeLinesAndGarbageLoad) {
  test::MemFileSystem fs;
  const std::string huge(8 << 20, 'v');
  fs.AddFile(kPath, "[s]\nk=" + huge + "\n" + std::string(1 << 20, '[') + "\n");
  {
    TFastIniFile ini(fs, kPath);
    EXPECT_EQ(ini.ReadString("s", "k", "").size(), huge.size());
  }
  std::mt19937 rng(7);
  std::string garbage(1 << 20, '\0');
  for (char& c : garbage) c = static_cast<char>(rng() % 255 + 1);  // no NUL: all of it counts
  fs.AddFile(kPath, garbage);
  TFastIniFile ini(fs, kPath);
  std::vector<std::string> names;
  ini.ReadSections(names);
  ini.WriteString("added", "k", "v");
  ini.Release();
  const std::string saved = fs.Contents(kPath);
  EXPECT_NE(saved.find("[added]\r\nk=v\r\n"), std::string::npos);
  EXPECT_GT(saved.size(), garbage.size() / 2);
}

TEST(IniBadInput, UnreadableFileRaisesOnFirstUse) {
  test::MemFileSystem fs;
  fs.AddFile(kPath, "[s]\nk=v\n");
  fs.Lock(kPath);
  TFastIniFile ini(fs, kPath);
  try {
    ini.ReadString("s", "k", "");
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(e.code(), kErrSharingViolation);
  }
  EXPECT_FALSE(ini.Loaded());
  fs.Lock(kPath, false);
  EXPECT_EQ(ini.ReadString("s", "k", ""), "v");
}

TEST(IniBadInput, FailedWriteBackKeepsTheOldFileAndReports) {
  test::MemFileSystem fs;
  const std::string old = "[Options]\nWidth=800\n; a long enough comment to need the space\n";
  fs.AddFile(kPath, old);

  TFastIniFile ini(fs, kPath);
  ini.WriteString("Options", "Width", "1024");
  fs.SetSpaceLeft(10);
  EXPECT_THROW(ini.UpdateFile(), FileError);
  EXPECT_EQ(fs.Contents(kPath), old);
  EXPECT_EQ(fs.ListFiles().size(), 1u);  // no temporary file left over
  EXPECT_TRUE(ini.Modified());

  fs.SetSpaceLeft(UINT64_MAX);
  fs.Lock(kPath);
  EXPECT_THROW(ini.UpdateFile(), FileError);
  fs.Lock(kPath, false);
  EXPECT_EQ(fs.Contents(kPath), old);
  EXPECT_EQ(fs.ListFiles().size(), 1u);

  ini.UpdateFile();  // the change is still there to be written
  EXPECT_EQ(fs.Contents(kPath),
            "[Options]\r\nWidth=1024\r\n; a long enough comment to need the space\r\n");
}

TEST(IniBadInput, ReleaseDropsTheContentEvenWhenTheWriteFails) {
  test::MemFileSystem fs;
  fs.AddFile(kPath, "[s]\nk=v\n");
  fs.SetSpaceLeft(0);
  {
    TFastIniFile ini(fs, kPath);
    ini.WriteString("s", "k", "w");
    EXPECT_THROW(ini.Release(), FileError);
    EXPECT_FALSE(ini.Loaded());
    EXPECT_FALSE(ini.Modified());
  }
  {
    TFastIniFile ini(fs, kPath);
    ini.WriteString("s", "k", "w");
  }  // a destructor that cannot write does not throw
  EXPECT_EQ(fs.Contents(kPath), "[s]\nk=v\n");
}

}  // namespace
}  // namespace qev
