#include <gtest/gtest.h>

#include "config/FastIniFile.h"
#include "platform/FileError.h"
#include "tests/fakes/MemFileSystem.h"

namespace qev {
namespace {

constexpr char kPath[] = "C:\\game\\Config.ini";

class Ini : public ::testing::Test {
 protected:
  void Load(std::string text) { fs.AddFile(kPath, std::move(text)); }
  std::string Saved() const { return fs.Contents(kPath); }
  test::MemFileSystem fs;
};

TEST_F(Ini, UntouchedLinesComeBackByteForByte) {
  // Odd spacing, unknown lines, comments, a header with a blank before it, mixed line
  // ends and no final line break.
  Load(
      "; top comment\r\n"
      "[Options]\n"
      "  Width   =  800  \r\n"
      "Height=600\r"
      "\tloose text line\n"
      " [NotAHeader]\n"
      "\n"
      "[Other]\r\n"
      "k = v ; note\r\n"
      "last=1");
  {
    TFastIniFile ini(fs, kPath);
    EXPECT_EQ(ini.ReadString("Options", "Width", ""), "800");
    ini.WriteString("Other", "last", "2");
    ini.Release();
  }
  // Lines the lookups walked come out split; the rest exactly as read.
  EXPECT_EQ(Saved(),
            "; top comment\r\n"
            "[Options]\r\n"
            "Width=800\r\n"
            "Height=600\r\n"
            "\tloose text line\r\n"
            " [NotAHeader]\r\n"
            "\r\n"
            "[Other]\r\n"
            "k=v ; note\r\n"
            "last=2\r\n");
}

TEST_F(Ini, BlanksAroundEqualsAreDroppedOnlyForTheWrittenLine) {
  Load("[s]\r\nk = v\r\n[t]\r\n a = b \r\n");
  TFastIniFile ini(fs, kPath);
  EXPECT_EQ(ini.ReadString("s", "k", "d"), "v");
  ini.WriteString("s", "k", "w");
  ini.Release();
  EXPECT_EQ(Saved(), "[s]\r\nk=w\r\n[t]\r\n a = b \r\n");
}

TEST_F(Ini, UnchangedValueWritesNothing) {
  Load("[s]\nk=v\n");
  {
    TFastIniFile ini(fs, kPath);
    ini.WriteString("s", "k", "v");
    EXPECT_FALSE(ini.Modified());
    ini.WriteString("s", "new", "");  // added in memory, but not a change
    EXPECT_FALSE(ini.Modified());
  }
  EXPECT_EQ(Saved(), "[s]\nk=v\n");  // LF endings prove no write-back happened
  {
    TFastIniFile ini(fs, kPath);
    ini.WriteString("s", "new", "");
    ini.WriteString("s", "k", "x");
  }  // the destructor writes back
  EXPECT_EQ(Saved(), "[s]\r\nk=x\r\nnew=\r\n");
}

TEST_F(Ini, CommentKeepsItsColumn) {
  Load("[s]\nk=abc   ;c\n");
  TFastIniFile ini(fs, kPath);
  EXPECT_EQ(ini.ReadString("s", "k", ""), "abc");
  ini.WriteString("s", "k", "x");
  ini.Release();
  EXPECT_EQ(Saved(), "[s]\r\nk=x     ;c\r\n");  // ";" still at value column 7

  TFastIniFile again(fs, kPath);
  again.WriteString("s", "k", "sixsix");
  EXPECT_EQ(again.ReadString("s", "k", ""), "sixsix");
  again.StripComment = false;
  EXPECT_EQ(again.ReadString("s", "k", ""), "sixsix ;c");
  again.StripComment = true;
  again.WriteString("s", "k", "abcdefghij");
  again.StripComment = false;
  EXPECT_EQ(again.ReadString("s", "k", ""), "abcdefghij ;c");
}

TEST_F(Ini, QuotesAndComments) {
  Load(
      "[s]\n"
      "dq=\"a;b\"\n"
      "sq='a;b'\n"
      "url=http://x/?a=1;b=2\n"
      "quoted=\"http://x/?a=1;b=2\"\n"
      "spaced=  v  ; c\n"
      "single=\"\n"
      "apos='hello world'\n"
      "aposnote='v x' ; note\n"
      "aposempty=''\n"
      "aposone='\n"
      "aposmixed='x\"\n"
      "aposinner=a'b'\n");
  TFastIniFile ini(fs, kPath);
  // Apostrophes around a value go like double quotes do; anything else stays.
  EXPECT_EQ(ini.ReadString("s", "apos", ""), "hello world");
  EXPECT_EQ(ini.ReadString("s", "aposnote", ""), "v x");
  EXPECT_EQ(ini.ReadString("s", "aposempty", "d"), "");
  EXPECT_EQ(ini.ReadString("s", "aposone", ""), "'");
  EXPECT_EQ(ini.ReadString("s", "aposmixed", ""), "'x\"");
  EXPECT_EQ(ini.ReadString("s", "aposinner", ""), "a'b'");
  EXPECT_EQ(ini.ReadString("s", "dq", ""), "a;b");
  EXPECT_EQ(ini.ReadString("s", "sq", ""), "'a");
  EXPECT_EQ(ini.ReadString("s", "url", ""), "http://x/?a=1");
  EXPECT_EQ(ini.ReadString("s", "quoted", ""), "http://x/?a=1;b=2");
  EXPECT_EQ(ini.ReadString("s", "spaced", ""), "v");
  EXPECT_EQ(ini.ReadString("s", "single", ""), "\"");
  ini.StripComment = false;
  EXPECT_EQ(ini.ReadString("s", "url", ""), "http://x/?a=1;b=2");
}

TEST_F(Ini, NamesFoldAsciiCaseOnly) {
  // "\xd6\xd0" and "\xf6\xd0" differ only by the bit that Cyrillic folding would clear.
  Load("[Options]\nWidth=1\n[\xd6\xd0]\nk=a\n[\xf6\xd0]\nk=b\n");
  TFastIniFile ini(fs, kPath);
  EXPECT_EQ(ini.ReadString("OPTIONS", "width", ""), "1");
  EXPECT_EQ(ini.ReadString("\xd6\xd0", "K", ""), "a");
  EXPECT_EQ(ini.ReadString("\xf6\xd0", "K", ""), "b");
}

TEST_F(Ini, DuplicateSectionsGoToTheLast) {
  Load("[a]\nk=1\n[b]\nk=2\n[A]\nk=3\n");
  TFastIniFile ini(fs, kPath);
  EXPECT_EQ(ini.ReadString("a", "k", ""), "3");
  ini.WriteString("a", "k", "4");
  std::vector<std::string> names;
  ini.ReadSections(names);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "A"}));
  ini.Release();
  EXPECT_EQ(Saved(), "[a]\r\nk=1\r\n[b]\r\nk=2\r\n[A]\r\nk=4\r\n");
}

TEST_F(Ini, DuplicateKeysInLinearMode) {
  Load("[s]\nk=first\nk=second\n");
  TFastIniFile ini(fs, kPath);
  EXPECT_FALSE(ini.HashedMode());
  EXPECT_EQ(ini.ReadString("s", "k", ""), "first");
  ini.WriteString("s", "k", "one");
  ini.DeleteKey("s", "k");
  EXPECT_EQ(ini.ReadString("s", "k", ""), "second");
  ini.Release();
  EXPECT_EQ(Saved(), "[s]\r\nk=second\r\n");
}

std::string BigSection(int keys) {
  std::string text = "[big]\n";
  for (int i = 0; i < keys; ++i)
    text += "key" + std::to_string(i) + "=v" + std::to_string(i) + "\n";
  return text;
}

TEST_F(Ini, HashedModeFollowsTheLineCountsAtLoad) {
  Load(BigSection(249) + "; comments do not count\n\n");
  TFastIniFile few(fs, kPath);
  EXPECT_EQ(few.ReadString("big", "key7", ""), "v7");
  EXPECT_FALSE(few.HashedMode());
  const TStatistics st = few.Statistics();
  EXPECT_EQ(st.Sections, 1);
  EXPECT_EQ(st.Others, 249);
  EXPECT_EQ(st.Comments, 1);
  EXPECT_EQ(st.Blanks, 1);

  fs.AddFile(kPath, BigSection(250));
  TFastIniFile many(fs, kPath);
  EXPECT_EQ(many.ReadString("big", "KEY249", ""), "v249");
  EXPECT_TRUE(many.HashedMode());
}

TEST_F(Ini, HashedModeLastDuplicateWinsButDeleteTakesTheFirst) {
  Load(BigSection(300) + "key5=late\n");
  TFastIniFile ini(fs, kPath);
  EXPECT_EQ(ini.ReadString("big", "key5", ""), "late");
  ASSERT_TRUE(ini.HashedMode());
  ini.DeleteKey("big", "key5");  // removes "key5=v5"
  EXPECT_EQ(ini.ReadString("big", "key5", ""), "late");
  ini.DeleteKey("big", "key5");
  EXPECT_EQ(ini.ReadString("big", "key5", "gone"), "gone");
  EXPECT_EQ(ini.ReadString("big", "key6", ""), "v6");
}

TEST_F(Ini, HashedModeKeyIndexSurvivesInsertionsAndRemovals) {
  // Two hashed sections: inserting into the first moves every line of the second, so
  // an index built before the insertion must not be used after it.
  Load(BigSection(300) + "[second]\n" + BigSection(300).substr(6));
  TFastIniFile ini(fs, kPath);
  EXPECT_EQ(ini.ReadString("second", "key10", ""), "v10");
  ASSERT_TRUE(ini.HashedMode());
  EXPECT_EQ(ini.ReadString("big", "key10", ""), "v10");
  for (int i = 0; i < 2000; ++i) ini.WriteString("big", "added" + std::to_string(i), "x");
  EXPECT_EQ(ini.ReadString("second", "key10", ""), "v10");
  EXPECT_EQ(ini.ReadString("second", "key299", ""), "v299");
  ini.WriteString("second", "key10", "changed");
  EXPECT_EQ(ini.ReadString("big", "added1999", ""), "x");
  ini.EraseSection("big");
  EXPECT_EQ(ini.ReadString("second", "key10", ""), "changed");
  EXPECT_EQ(ini.ReadString("big", "key10", "none"), "none");
  ini.DeleteKey("second", "key0");
  EXPECT_EQ(ini.ReadString("second", "key1", ""), "v1");
}

}  // namespace
}  // namespace qev
