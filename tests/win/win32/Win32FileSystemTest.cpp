#include <gtest/gtest.h>

#include <windows.h>

#include "config/Crc32.h"
#include "config/FastIniFile.h"
#include "config/FileTimes.h"
#include "platform/FileOps.h"
#include "win32/Gbk.h"
#include "win32/Win32FileSystem.h"

namespace qev {
namespace {

constexpr char kChineseIni[] = "\xd6\xd0\xce\xc4.ini";  // 中文.ini

// A fresh folder under the temporary folder, with a Chinese name (测试).
class Win32Fs : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs.TempDir() + "qev\xb2\xe2\xca\xd4" + std::to_string(GetCurrentProcessId()) + "_" +
          ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    ASSERT_EQ(CreateDirPath(fs, dir), kErrNone);
  }
  void TearDown() override {
    for (const char* name : {"a.txt", "b.txt", kChineseIni}) {
      fs.SetAttributes(dir + name, kAttrNormal);
      fs.Delete(dir + name);
    }
    RemoveDirectoryW(GbkToWide(dir + "sub").c_str());
    RemoveDirectoryW(GbkToWide(dir).c_str());
  }
  std::string Read(const std::string& path) {
    std::string out;
    EXPECT_EQ(ReadWholeFile(fs, path, out), kErrNone);
    return out;
  }
  Win32FileSystem fs;
  std::string dir;
};

TEST_F(Win32Fs, CreateReadRenameCopyDelete) {
  const std::string a = dir + "a.txt", b = dir + "b.txt";
  EXPECT_EQ(WriteFileReplacing(fs, a, "hello"), kErrNone);
  EXPECT_TRUE(fs.FileExists(a));
  EXPECT_TRUE(fs.FileExists(dir + "A.TXT"));  // names match without regard to case
  EXPECT_FALSE(fs.DirExists(a));
  EXPECT_TRUE(fs.DirExists(dir));
  EXPECT_FALSE(fs.FileExists(dir));
  EXPECT_EQ(Read(a), "hello");

  std::unique_ptr<InputFile> in;
  ASSERT_EQ(fs.OpenRead(a, in), kErrNone);
  EXPECT_EQ(in->Size(), 5u);
  ASSERT_EQ(in->Seek(1), kErrNone);
  char buf[8];
  size_t got = 0;
  ASSERT_EQ(in->Read(buf, sizeof buf, got), kErrNone);
  EXPECT_EQ(std::string(buf, got), "ello");
  ASSERT_EQ(in->Read(buf, sizeof buf, got), kErrNone);
  EXPECT_EQ(got, 0u);
  // While it is open for reading, nobody may write it.
  std::unique_ptr<OutputFile> out;
  EXPECT_EQ(fs.Create(a, out), kErrSharingViolation);
  EXPECT_EQ(FileCrc32(fs, a).Error, 0);  // other readers are fine
  in.reset();

  EXPECT_EQ(fs.Copy(a, b, false), kErrNone);
  EXPECT_EQ(fs.Copy(a, b, false), kErrFileExists);
  EXPECT_EQ(WriteFileReplacing(fs, b, "second"), kErrNone);
  EXPECT_NE(fs.Rename(b, a, false), kErrNone);
  EXPECT_EQ(fs.Rename(b, a, true), kErrNone);
  EXPECT_EQ(Read(a), "second");
  EXPECT_FALSE(fs.FileExists(b));
  EXPECT_EQ(fs.Delete(a), kErrNone);
  EXPECT_EQ(fs.Delete(a), kErrFileNotFound);
  EXPECT_EQ(fs.OpenRead(a, in), kErrFileNotFound);
  EXPECT_EQ(fs.CreateDir(dir + "no\\such\\sub"), kErrPathNotFound);
  EXPECT_EQ(fs.CreateDir(dir + "sub"), kErrNone);
  EXPECT_TRUE(fs.DirExists(dir + "SUB"));
  EXPECT_EQ(fs.CreateDir(dir + "sub"), kErrAlreadyExists);
  EXPECT_EQ(fs.OpenRead("bad\x81", in), kErrInvalidName);  // not GBK
}

TEST_F(Win32Fs, TimesAndAttributes) {
  const std::string a = dir + "a.txt";
  ASSERT_EQ(WriteFileReplacing(fs, a, "x"), kErrNone);
  TDateTime when = 0;
  ASSERT_TRUE(EncodeDateTime({2021, 5, 6, 7, 8, 10}, when));
  ASSERT_EQ(SetFileTimeFromDateTime(fs, a, 2, when), kErrNone);
  EXPECT_DOUBLE_EQ(FileTimeAsDateTime(fs, a, 2), when);
  FileTimeTicks stamp = 0;
  ASSERT_EQ(fs.GetFileTime(a, FileTimeKind::LastWrite, stamp), kErrNone);
  EXPECT_EQ(fs.UtcToLocal(stamp), DateTimeToTicks(when));
  EXPECT_EQ(fs.LocalToUtc(fs.UtcToLocal(stamp)), stamp);
  EXPECT_EQ(FileTimeAsDateTime(fs, dir, 2), -1.0);
  EXPECT_EQ(SetFileTimeFromDateTime(fs, dir + "missing", 2, when), kErrFileNotFound);

  ASSERT_EQ(fs.SetAttributes(a, kAttrReadOnly), kErrNone);
  uint32_t attrs = 0;
  ASSERT_EQ(fs.GetAttributes(a, attrs), kErrNone);
  EXPECT_TRUE(attrs & kAttrReadOnly);
  EXPECT_EQ(fs.GetAttributes(dir + "missing", attrs), kErrFileNotFound);
}

TEST_F(Win32Fs, IniFileUnderAChinesePath) {
  const std::string path = dir + kChineseIni;
  ASSERT_EQ(WriteFileReplacing(fs, path, "[Options]\nName = \xd6\xd0\n; keep\n"), kErrNone);
  {
    TFastIniFile ini(fs, path);
    EXPECT_EQ(ini.ReadString("options", "name", ""), "\xd6\xd0");
    ini.WriteString("Options", "Port", "7000");
    ini.Release();
  }
  EXPECT_EQ(Read(path), "[Options]\r\nName=\xd6\xd0\r\nPort=7000\r\n; keep\r\n");
  const FileCrcResult crc = FileCrc32(fs, path);
  EXPECT_EQ(crc.Error, 0);
  EXPECT_EQ(FileCrc32(fs, dir + "missing").Error, 1);
}

TEST_F(Win32Fs, FileCrcOfALargeFileMatchesTheByteWiseFormula) {
  std::string data((1 << 20) + 13, '\0');
  uint32_t seed = 1;
  for (char& c : data) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
  ASSERT_EQ(WriteFileReplacing(fs, dir + "a.txt", data), kErrNone);
  uint32_t reg = 0xFFFFFFFFu;
  for (unsigned char b : data) reg = kCrc32Table[(reg ^ b) & 0xFF] ^ (reg >> 8);
  const FileCrcResult r = FileCrc32(fs, dir + "a.txt");
  EXPECT_EQ(r.Error, 0);
  EXPECT_EQ(r.Crc, reg ^ 0xFFFFFFFFu);
}

}  // namespace
}  // namespace qev
