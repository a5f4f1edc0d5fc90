#include <gtest/gtest.h>

#include "ScriptedPrompt.h"
#include "ZipBuilder.h"
#include "base/LittleEndian.h"
#include "tests/fakes/MemFileSystem.h"
#include "zip/VCLUnZip.h"

namespace qev {
namespace {

using test::BuildZip;
using test::MemFileSystem;
using test::ScriptedPrompt;
using test::ZipEntryDraft;

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
  ZipEntryDraft ro{"ro.txt", "read only"};
  ro.externalAttributes = kAttrReadOnly | kAttrArchive;
  ZipEntryDraft unixRo{"unix.txt", "from unix"};
  unixRo.madeBy = 3 << 8 | 30;
  unixRo.externalAttributes = 0100444u << 16;  // r--r--r--
  ZipEntryDraft plain{"plain.txt", "plain"};
  plain.externalAttributes = 0;
  ASSERT_EQ(f.Extract(BuildZip({ro, unixRo, plain})), 3);

  // The stored 2025-04-12 12:00:00 is local time, 8 hours behind UTC: the stamp is
  // 2025-04-12 20:00:00 UTC as a FILETIME (worked out apart from the code under test).
  FileTimeTicks stamped = 0;
  ASSERT_EQ(ro.dosDateTime, 0x5A8C6000u);
  ASSERT_EQ(f.fs.GetFileTime("C:\\game\\update\\ro.txt", FileTimeKind::LastWrite, stamped),
            kErrNone);
  EXPECT_EQ(stamped, 133889616000000000ULL);
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

  ZipEntryDraft badCrc{"crc.dat", big};
  badCrc.crc = 0x12345678;
  ZipEntryDraft bomb{"bomb.dat", std::string(1 << 20, 'z')};
  bomb.uncompressedSize = 0xFFFFFFF0u;  // far beyond what the compressed bytes can hold
  ZipEntryDraft tooLong{"long.dat", big};
  tooLong.uncompressedSize = 1000;  // the stream yields more than declared
  ZipEntryDraft shortData{"short.dat", big};
  shortData.uncompressedSize = 400000;  // the stream ends before the declared size
  ZipEntryDraft cut{"cut.dat", big};
  cut.compressedSize = 100;  // the stream runs past its declared compressed size
  ZipEntryDraft stored{"stored.dat", "12345", 0};
  stored.uncompressedSize = 6;  // stored sizes must agree

  f.prompt.answers.assign(6, true);
  EXPECT_EQ(f.Extract(BuildZip({badCrc, bomb, tooLong, shortData, cut, stored})), 0);
  for (const char* name : {"crc.dat", "bomb.dat", "long.dat", "short.dat", "cut.dat", "stored.dat"})
    EXPECT_EQ(f.fs.Contents(std::string("C:\\game\\update\\") + name), "old good file") << name;
  EXPECT_EQ(f.Written().size(), 6u);  // no temporary file left behind
}

TEST(UnZip, UnknownMethodsShowTheBoxAndEncipheredMembersAreSkipped) {
  Fixture f;
  ZipEntryDraft imploded{"old.dat", "x", 6};
  ZipEntryDraft bzip{"bz.dat", "x", 12};
  ZipEntryDraft secret{"secret.dat", "x"};
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

// The archive as it reads with prefix bytes in front: every recorded offset moved on
// by delta (the directory offset in the end record and each entry's local offset).
std::string ShiftOffsets(std::string zip, uint32_t delta) {
  auto add = [&](size_t at) {
    uint32_t v = LoadLe32(zip, at) + delta;
    zip.replace(at, 4, std::string(4, '\0'));
    for (int i = 0; i < 4; ++i) zip[at + i] = static_cast<char>(v >> (8 * i));
  };
  size_t end = zip.rfind("PK\5\6");
  add(end + 16);
  for (size_t at = zip.find("PK\1\2"); at != std::string::npos && at < end;
       at = zip.find("PK\1\2", at + 46))
    add(at + 42);
  return zip;
}

// The same archive with a ZIP64 end record and locator before its end record, whose
// own fields then say "see ZIP64"; the locator holds the record's offset as made.
std::string WithZip64End(const std::string& zip) {
  size_t end = zip.rfind("PK\5\6");
  uint64_t entries = LoadLe16(zip, end + 10), dirSize = LoadLe32(zip, end + 12),
           dirOffset = LoadLe32(zip, end + 16);
  std::string rec = "PK\6\6";
  auto put64 = [](std::string& s, uint64_t v) {
    AppendLe32(s, static_cast<uint32_t>(v));
    AppendLe32(s, static_cast<uint32_t>(v >> 32));
  };
  put64(rec, 44);  // size of the rest of the record
  AppendLe16(rec, 45);
  AppendLe16(rec, 45);
  AppendLe32(rec, 0);
  AppendLe32(rec, 0);
  put64(rec, entries);
  put64(rec, entries);
  put64(rec, dirSize);
  put64(rec, dirOffset);
  std::string loc = "PK\6\7";
  AppendLe32(loc, 0);
  put64(loc, end);
  AppendLe32(loc, 1);
  std::string tail = "PK\5\6";
  AppendLe32(tail, 0);
  AppendLe32(tail, 0xFFFFFFFF);
  AppendLe32(tail, 0xFFFFFFFF);
  AppendLe32(tail, 0xFFFFFFFF);
  AppendLe16(tail, 0);
  return zip.substr(0, end) + rec + loc + tail;
}

TEST(UnZip, Utf8NamesAreConvertedAndNamesWithoutGbkFormAreSkipped) {
  Fixture f;
  ZipEntryDraft chinese{"dir/\xE4\xB8\xAD.txt", "zhong"};  // UTF-8 of the character "zhong"
  chinese.flags = 0x0800;
  ZipEntryDraft emoji{"\xF0\x9F\x98\x80.txt", "smile"};  // no GBK form
  emoji.flags = 0x0800;
  ZipEntryDraft notUtf8{"\xD6\xD0\xB9\xFA.txt", "flagged but not UTF-8"};
  notUtf8.flags = 0x0800;
  ZipEntryDraft unflagged{"\xE4\xB8\xAD.txt", "UTF-8 bytes, no flag: not GBK"};
  int n = f.Extract(BuildZip({{"first.txt", "1"},
                              chinese,
                              emoji,
                              notUtf8,
                              unflagged,
                              {"\xB2\xB9\xB6\xA1.dat", "GBK as today"},
                              {"last.txt", "2"}}));
  EXPECT_EQ(n, 4);
  EXPECT_EQ(f.fs.Contents("C:\\game\\update\\\xD6\xD0.txt"), "zhong");
  EXPECT_EQ(f.fs.Contents("C:\\game\\update\\\xB2\xB9\xB6\xA1.dat"), "GBK as today");
  EXPECT_EQ(f.fs.Contents("C:\\game\\update\\last.txt"), "2");
  EXPECT_EQ(f.Written().size(), 4u);
}

TEST(UnZip, SkippedNamesAreReported) {
  MemFileSystem fs;
  ScriptedPrompt prompt;
  ZipEntryDraft emoji{"\xF0\x9F\x98\x80.txt", "smile"};
  emoji.flags = 0x0800;
  fs.AddFile(kZip, BuildZip({{"CON", "x"}, emoji, {"folder/", ""}, {"ok.txt", "ok"}}));
  TVCLUnZip unzip(fs, prompt);
  unzip.ZipName = kZip;
  unzip.DestDir = kDest;
  EXPECT_EQ(unzip.UnZip(), 1);
  EXPECT_EQ(unzip.SkippedNames,
            (std::vector<std::string>{"CON", "\xF0\x9F\x98\x80.txt"}));  // not the folder
}

TEST(UnZip, ArchivesBehindAPrefixAreReadAndTheLastEndRecordWins) {
  const std::string zip = BuildZip({{"a.txt", Text(3000, 'a')}, {"b.txt", "bbbb", 0}});
  const std::string stub = "MZ" + std::string(5000, '\x90');
  struct {
    int line;
    std::string bytes;
  } shifted[] = {
      {__LINE__, stub + zip},
      {__LINE__, stub + WithZip64End(zip)},
      {__LINE__, WithZip64End(zip)},  // ZIP64 end record without a prefix
  };
  for (const auto& c : shifted) {
    Fixture f;
    EXPECT_EQ(f.Extract(c.bytes), 2) << "line " << c.line;
    EXPECT_EQ(f.fs.Contents("C:\\game\\update\\a.txt"), Text(3000, 'a')) << "line " << c.line;
    EXPECT_EQ(f.fs.Contents("C:\\game\\update\\b.txt"), "bbbb") << "line " << c.line;
  }

  // Two whole archives one after the other: the end record nearest the end is the one.
  const std::string first = BuildZip({{"old.txt", "old"}});
  Fixture f;
  EXPECT_EQ(f.Extract(first + ShiftOffsets(BuildZip({{"new.txt", "new"}}),
                                           static_cast<uint32_t>(first.size()))),
            1);
  EXPECT_EQ(f.Written(), std::vector<std::string>{"C:\\GAME\\UPDATE\\NEW.TXT"});

  // A prefix does not loosen the bounds: a directory that still lies outside is damaged.
  std::string far = stub + zip;
  far[far.size() - 5] = '\x7F';
  Fixture g;
  EXPECT_THROW(g.Extract(far), ZipError);
}

// One member's directory entry repeated, all pointing at the same stream (or into it).
std::string OverlappingArchive(int copies, uint32_t step) {
  std::string zip = BuildZip({{"big.dat", std::string(200000, 'z')}});
  size_t dirAt = zip.find("PK\1\2"), end = zip.rfind("PK\5\6");
  std::string entry = zip.substr(dirAt, end - dirAt), dir;
  for (int i = 0; i < copies; ++i) {
    std::string e = entry;
    e[46 + 2] = static_cast<char>('0' + i);  // "bi0.dat", "bi1.dat", ...
    uint32_t offset = step * static_cast<uint32_t>(i);
    for (int k = 0; k < 4; ++k) e[42 + k] = static_cast<char>(offset >> (8 * k));
    dir += e;
  }
  std::string out = zip.substr(0, dirAt) + dir + "PK\5\6";
  AppendLe32(out, 0);
  AppendLe16(out, static_cast<uint32_t>(copies));
  AppendLe16(out, static_cast<uint32_t>(copies));
  AppendLe32(out, static_cast<uint32_t>(dir.size()));
  AppendLe32(out, static_cast<uint32_t>(dirAt));
  AppendLe16(out, 0);
  return out;
}

TEST(UnZip, OverlappingMembersAreRefusedAsDamaged) {
  for (uint32_t step : {0u, 40u}) {
    Fixture f;
    EXPECT_THROW(f.Extract(OverlappingArchive(10, step)), ZipError) << step;
    EXPECT_TRUE(f.Written().empty()) << step;
  }
  Fixture one;
  EXPECT_EQ(one.Extract(OverlappingArchive(1, 0)), 1);  // the same entry once is fine
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
