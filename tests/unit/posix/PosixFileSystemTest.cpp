// The native file system on a real folder: names without regard to ASCII case, as the
// Windows one compares them, and what it cannot do.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "posix/PosixFileSystem.h"

namespace qev {
namespace {

class PosixFs : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/qevposixXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root_ = tmpl;
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  void Write(FileSystem& fs, const std::string& path, const std::string& data) {
    std::unique_ptr<OutputFile> out;
    ASSERT_EQ(fs.Create(path, out), kErrNone) << path;
    ASSERT_EQ(out->Write(data.data(), data.size()), kErrNone);
    ASSERT_EQ(out->Close(), kErrNone);
  }
  std::string Read(const std::string& nativePath) {
    std::ifstream in(nativePath, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string root_;
};

TEST_F(PosixFs, NamesCompareWithoutAsciiCase) {
  PosixFileSystem fs;
  ASSERT_EQ(fs.CreateDir(root_ + "\\Data"), kErrNone);
  Write(fs, root_ + "\\Data\\Map.DAT", "one");
  EXPECT_TRUE(fs.FileExists(root_ + "\\DATA\\map.dat"));
  EXPECT_TRUE(fs.DirExists(root_ + "/data"));
  EXPECT_FALSE(fs.FileExists(root_ + "\\data\\map.dat2"));

  // Writing, renaming over and deleting under another spelling all reach the one file.
  Write(fs, root_ + "\\data\\MAP.dat", "two");
  EXPECT_EQ(Names(root_ + "/Data"), std::vector<std::string>{"Map.DAT"});
  EXPECT_EQ(Read(root_ + "/Data/Map.DAT"), "two");
  Write(fs, root_ + "\\data\\new.tmp", "three");
  EXPECT_EQ(fs.Rename(root_ + "\\data\\NEW.TMP", root_ + "\\data\\map.dat", true), kErrNone);
  EXPECT_EQ(Names(root_ + "/Data"), std::vector<std::string>{"Map.DAT"});
  EXPECT_EQ(Read(root_ + "/Data/Map.DAT"), "three");
  EXPECT_EQ(fs.Rename(root_ + "\\data\\map.dat", root_ + "\\data\\NEW.TMP", false), kErrNone);
  Write(fs, root_ + "\\data\\other", "x");
  EXPECT_EQ(fs.Rename(root_ + "\\data\\other", root_ + "\\data\\new.tmp", false),
            kErrAlreadyExists);
  EXPECT_EQ(fs.Delete(root_ + "\\DATA\\New.Tmp"), kErrNone);
  EXPECT_EQ(Names(root_ + "/Data"), std::vector<std::string>{"other"});

  // A file made behind the object's back is found too.
  std::ofstream(root_ + "/Data/Outside.txt") << "o";
  EXPECT_TRUE(fs.FileExists(root_ + "\\data\\outside.TXT"));
}

TEST_F(PosixFs, GbkTrailBytesAreNoLetters) {
  PosixFileSystem fs(true);
  // 0x95 0x61 and 0x95 0x41 are two different characters, not one in two cases.
  Write(fs, root_ + "\\\x95\x61.txt", "a");
  EXPECT_FALSE(fs.FileExists(root_ + "\\\x95\x41.txt"));
  EXPECT_TRUE(fs.FileExists(root_ + "\\\x95\x61.TXT"));
}

TEST_F(PosixFs, CreationTimeCannotBeSet) {
  PosixFileSystem fs;
  Write(fs, root_ + "/f", "x");
  EXPECT_EQ(fs.SetFileTime(root_ + "/f", FileTimeKind::Creation, 130000000000000000ULL),
            kErrNotSupported);
  EXPECT_EQ(fs.SetFileTime(root_ + "/missing", FileTimeKind::Creation, 130000000000000000ULL),
            kErrFileNotFound);
  EXPECT_EQ(fs.SetFileTime(root_ + "/F", FileTimeKind::LastWrite, 130000000000000000ULL), kErrNone);
  FileTimeTicks t = 0;
  EXPECT_EQ(fs.GetFileTime(root_ + "/f", FileTimeKind::LastWrite, t), kErrNone);
  EXPECT_EQ(t, 130000000000000000ULL);
}

}  // namespace
}  // namespace qev
