#include <gtest/gtest.h>

#include "ScriptedPrompt.h"
#include "ZipBuilder.h"
#include "tests/fakes/MemFileSystem.h"
#include "zip/DosTime.h"
#include "zip/VCLUnZip.h"

namespace qev {
namespace {

using test::BuildZip;
using test::MemFileSystem;
using test::ScriptedPrompt;
using test::ZipEntrySpec;

const std::string kZip = "C:\\game\\update\\p.zip";
const std::string kDest = "C:\\game\\update";  // as the patch run passes it: no trailing "\"

struct Fixture {
  MemFileSystem fs;
  ScriptedPrompt prompt;
  Fixture() { fs.AddDir("C:\\game\\update"); }
  int Extract(const std::string& archive, const std::string& dest = kDest) {
    fs.AddFile(kZip, archive);
    TVCLUnZip unzip(fs, prompt);
    unzip.ZipName = kZip;
    unzip.DestDir = dest;
    unzip.ReadZip();
    return unzip.UnZip();
  }
  // Every file but the archive itself, as the fake lists them (upper case).
  std::vector<std::string> Written() {
    std::vector<std::string> files;
    for (const std::string& f : fs.ListFiles())
      if (f != "C:\\GAME\\UPDATE\\P.ZIP") files.push_back(f);
    return files;
  }
};

std::string Text(size_t n, char seed) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += static_cast<char>(seed + (i * 7 + i / 13) % 23);
  return s;
}

TEST(UnZip, ExtractsStoredAndDeflatedMembersFlatIntoDestDir) {
  Fixture f;
  const std::string a = Text(100000, 'a'), b = Text(5000, 'B');
  int n = f.Extract(BuildZip({{"data/a.dat", a, 8}, {"b.txt", b, 0}, {"folder/", "", 0}}));
  EXPECT_EQ(n, 2);
  EXPECT_EQ(f.fs.Contents("C:\\game\\update\\a.dat"), a);
  EXPECT_EQ(f.fs.Contents("C:\\game\\update\\b.txt"), b);
  EXPECT_EQ(f.Written().size(), 2u);  // the folder entry made nothing, no temporary files remain
  EXPECT_TRUE(f.prompt.asked.empty());
}

TEST(UnZip, CreatesAMissingDestinationFolder) {
  Fixture f;
  EXPECT_EQ(f.Extract(BuildZip({{"x.txt", "x"}}), "C:\\game\\new\\deep\\"), 1);
  EXPECT_EQ(f.fs.Contents("C:\\game\\new\\deep\\x.txt"), "x");
}

TEST(UnZip, StampsDosTimeAsLocalAndKeepsAttributes) {
  Fixture f;
  const int64_t bias = -8LL * 3600 * kTicksPerSecond;  // local = UTC - 8 h
  f.fs.SetLocalBias(bias);
  ZipEntrySpec ro{"ro.txt", "read only"};
  ro.externalAttributes = kAttrReadOnly | kAttrArchive;
  ZipEntrySpec unixRo{"unix.txt", "from unix"};
  unixRo.madeBy = 3 << 8 | 30;
  unixRo.externalAttributes = 0100444u << 16;  // r--r--r--
  ZipEntrySpec plain{"plain.txt", "plain"};
  plain.externalAttributes = 0;
  ASSERT_EQ(f.Extract(BuildZip({ro, unixRo, plain})), 3);

  FileTimeTicks local = 0, stamped = 0;
  ASSERT_TRUE(DosDateTimeToTicks(ro.dosDateTime, local));
  ASSERT_EQ(f.fs.GetFileTime("C:\\game\\update\\ro.txt", FileTimeKind::LastWrite, stamped),
            kErrNone);
  EXPECT_EQ(stamped, local - bias);
  uint32_t attrs = 0;
  f.fs.GetAttributes("C:\\game\\update\\ro.txt", attrs);
  EXPECT_EQ(attrs, kAttrReadOnly | kAttrArchive);
  f.fs.GetAttributes("C:\\game\\update\\unix.txt", attrs);
  EXPECT_TRUE(attrs & kAttrReadOnly);
  f.fs.GetAttributes("C:\\game\\update\\plain.txt", attrs);
  EXPECT_EQ(attrs, kAttrNormal);
}

TEST(UnZip, ExistingFilesAreReplacedOnlyOnYes) {
  Fixture f;
  f.fs.AddFile("C:\\game\\update\\keep.txt", "old keep");
  f.fs.AddFile("C:\\game\\update\\swap.txt", "old swap");
  f.fs.SetAttributes("C:\\game\\update\\swap.txt", kAttrReadOnly);
  f.prompt.answers = {false, true};
  int n = f.Extract(BuildZip({{"keep.txt", "new keep"}, {"swap.txt", "new swap"}}));
  EXPECT_EQ(n, 1);
  EXPECT_EQ(f.prompt.asked, (std::vector<std::string>{"keep.txt", "swap.txt"}));
  EXPECT_EQ(f.fs.Contents("C:\\game\\update\\keep.txt"), "old keep");
  EXPECT_EQ(f.fs.Contents("C:\\game\\update\\swap.txt"),
            "new swap");  // read-only, but Yes was said
  EXPECT_FALSE(f.prompt.unexpected);
}

TEST(UnZip, SameNameInTwoFoldersAsksBeforeTheSecond) {
  for (bool yes : {false, true}) {
    Fixture f;
    f.prompt.answers = {yes};
    int n = f.Extract(BuildZip({{"a/same.txt", "first"}, {"b/same.txt", "second"}}));
    EXPECT_EQ(n, yes ? 2 : 1);
    EXPECT_EQ(f.prompt.asked, std::vector<std::string>{"same.txt"});
    EXPECT_EQ(f.fs.Contents("C:\\game\\update\\same.txt"), yes ? "second" : "first");
  }
}

TEST(UnZip, UnsafeNamesAreSkippedAndNothingLandsOutsideDestDir) {
  Fixture f;
  int n = f.Extract(BuildZip({{"../../escape.txt", "1"},
                              {"..\\..\\windows\\win.ini", "2"},
                              {"C:evil.txt", "3"},
                              {"dir/..", "4"},
                              {"CON", "5"},
                              {"aux.dat", "6"},
                              {"bad\x07name", "7"},
                              {"ok.txt", "8"}}));
  EXPECT_EQ(n, 3);
  EXPECT_EQ(f.Written(),
            (std::vector<std::string>{"C:\\GAME\\UPDATE\\ESCAPE.TXT", "C:\\GAME\\UPDATE\\OK.TXT",
                                      "C:\\GAME\\UPDATE\\WIN.INI"}));
}

TEST(UnZip, BadMembersLeaveNoFileAndTheOldFileWhole) {
  Fixture f;
  for (const char* name : {"crc.dat", "bomb.dat", "long.dat", "short.dat", "cut.dat", "stored.dat"})
    f.fs.AddFile(std::string("C:\\game\\update\\") + name, "old good file");
  const std::string big = Text(300000, 'c');

  ZipEntrySpec badCrc{"crc.dat", big};
  badCrc.crc = 0x12345678;
  ZipEntrySpec bomb{"bomb.dat", std::string(1 << 20, 'z')};
  bomb.uncompressedSize = 0xFFFFFFF0u;  // far beyond what the compressed bytes can hold
  ZipEntrySpec tooLong{"long.dat", big};
  tooLong.uncompressedSize = 1000;  // the stream yields more than declared
  ZipEntrySpec shortData{"short.dat", big};
  shortData.uncompressedSize = 400000;  // the stream ends before the declared size
  ZipEntrySpec cut{"cut.dat", big};
  cut.compressedSize = 100;  // the stream runs past its declared compressed size
  ZipEntrySpec stored{"stored.dat", "12345", 0};
  stored.uncompressedSize = 6;  // stored sizes must agree

  f.prompt.answers.assign(6, true);
  EXPECT_EQ(f.Extract(BuildZip({badCrc, bomb, tooLong, shortData, cut, stored})), 0);
  for (const char* name : {"crc.dat", "bomb.dat", "long.dat", "short.dat", "cut.dat", "stored.dat"})
    EXPECT_EQ(f.fs.Contents(std::string("C:\\game\\update\\") + name), "old good file") << name;
  EXPECT_EQ(f.Written().size(), 6u);  // no temporary file left behind
}

TEST(UnZip, UnknownMethodsShowTheBoxAndEncipheredMembersAreSkipped) {
  Fixture f;
  ZipEntrySpec imploded{"old.dat", "x", 6};
  ZipEntrySpec bzip{"bz.dat", "x", 12};
  ZipEntrySpec secret{"secret.dat", "x"};
  secret.flags = 1;
  EXPECT_EQ(f.Extract(BuildZip({imploded, bzip, secret, {"fine.txt", "fine"}})), 1);
  EXPECT_EQ(f.prompt.errors, (std::vector<std::string>{"Zip Error|Unknown Compression Method",
                                                       "Zip Error|Unknown Compression Method"}));
  EXPECT_EQ(f.Written(), std::vector<std::string>{"C:\\GAME\\UPDATE\\FINE.TXT"});
}

TEST(UnZip, WriteFailuresRaiseAndKeepTheOldFile) {
  {
    Fixture f;
    f.fs.AddFile("C:\\game\\update\\big.dat", "old");
    f.prompt.answers = {true};
    f.fs.SetSpaceLeft(1000);
    EXPECT_THROW(f.Extract(BuildZip({{"big.dat", Text(200000, 'd')}})), ZipError);
    EXPECT_EQ(f.fs.Contents("C:\\game\\update\\big.dat"), "old");
    EXPECT_EQ(f.Written().size(), 1u);
  }
  {
    Fixture f;
    f.fs.AddFile("C:\\game\\update\\locked.dat", "old");
    f.fs.SetAttributes("C:\\game\\update\\locked.dat", kAttrReadOnly);
    f.fs.Lock("C:\\game\\update\\locked.dat");
    f.prompt.answers = {true};
    EXPECT_THROW(f.Extract(BuildZip({{"locked.dat", "new"}})), ZipError);
    f.fs.Lock("C:\\game\\update\\locked.dat", false);
    EXPECT_EQ(f.fs.Contents("C:\\game\\update\\locked.dat"), "old");
    uint32_t attrs = 0;
    f.fs.GetAttributes("C:\\game\\update\\locked.dat", attrs);
    EXPECT_EQ(attrs, kAttrReadOnly);  // still read-only
    EXPECT_EQ(f.Written().size(), 1u);
  }
}

TEST(UnZip, DamagedArchivesRaiseFromTheDirectoryRead) {
  const std::string good = BuildZip({{"a.txt", "aaaa"}, {"b.txt", "bbbb"}});
  std::string badSig = good;
  badSig[good.find("PK\1\2")] = 'X';
  std::string farDir = good;
  farDir[farDir.size() - 6] = '\x7F';
  std::string manyEntries = good;
  manyEntries[manyEntries.size() - 12] =
      '\x50';  // total entries 0x5002: more than the directory holds
  struct {
    int line;
    std::string bytes;
  } bad[] = {
      {__LINE__, ""},
      {__LINE__, "PK\5\6 too short"},
      {__LINE__, good.substr(0, good.size() - 1)},  // end record cut
      {__LINE__, badSig},
      {__LINE__, farDir},
      {__LINE__, manyEntries},
  };
  for (const auto& b : bad) {
    Fixture f;
    EXPECT_THROW(f.Extract(b.bytes), ZipError) << "line " << b.line;
  }
  Fixture missing;
  TVCLUnZip unzip(missing.fs, missing.prompt);
  unzip.ZipName = "C:\\nothing.zip";
  EXPECT_THROW(unzip.ReadZip(), ZipError);
}

TEST(UnZip, ArchiveCommentIsSkipped) {
  Fixture f;
  std::string comment(40000, '#');
  comment += "PK\5\6";  // a signature inside the last 22 bytes is not an end record
  EXPECT_EQ(f.Extract(BuildZip({{"real.txt", "yes"}}, comment)), 1);
  EXPECT_EQ(f.fs.Contents("C:\\game\\update\\real.txt"), "yes");
}

}  // namespace
}  // namespace qev
