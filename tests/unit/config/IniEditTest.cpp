#include <gtest/gtest.h>

#include <functional>

#include "config/FastIniFile.h"
#include "tests/fakes/MemFileSystem.h"

namespace qev {
namespace {

constexpr char kPath[] = "C:\\game\\Config.ini";

std::string Edit(const std::string& text, const std::function<void(TFastIniFile&)>& ops) {
  test::MemFileSystem fs;
  fs.AddFile(kPath, text);
  TFastIniFile ini(fs, kPath);
  ops(ini);
  ini.Release();
  return fs.Contents(kPath);
}

TEST(IniEdit, NewSectionsAndKeysGoWhereTheyBelong) {
  EXPECT_EQ(Edit("[a]\nx=1", [](TFastIniFile& i) { i.WriteString("Options", "Width", "800"); }),
            "[a]\r\nx=1\r\n\r\n[Options]\r\nWidth=800\r\n");
  EXPECT_EQ(Edit("[a]\nx=1\n\n", [](TFastIniFile& i) { i.WriteString("b", "k", "v"); }),
            "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n");
  EXPECT_EQ(Edit("", [](TFastIniFile& i) { i.WriteString("b", "k", "v"); }), "[b]\r\nk=v\r\n");
  // After the last key or text line: the comment and blank closing the section stay last.
  EXPECT_EQ(Edit("[a]\nx=1\ntext\n; end of a\n\n[b]\n",
                 [](TFastIniFile& i) { i.WriteString("a", "  y\t", "2"); }),
            "[a]\r\nx=1\r\ntext\r\ny=2\r\n; end of a\r\n\r\n[b]\r\n");
  // A section with only a comment gets the key right after its header.
  EXPECT_EQ(Edit("[a]\n;c\n[b]\nk=1\n",
                 [](TFastIniFile& i) {
                   i.WriteString("a", "n", "1");
                   i.WriteString("b", "k", "2");  // section b moved down by one line
                 }),
            "[a]\r\nn=1\r\n;c\r\n[b]\r\nk=2\r\n");
}

TEST(IniEdit, EraseSectionKeepsTheNextSectionsLeadingComment) {
  const std::string text = "[a]\nk=1\n\n; about b\n\n[b]\nk=2\n";
  EXPECT_EQ(Edit(text, [](TFastIniFile& i) { i.EraseSection("a"); }),
            "; about b\r\n\r\n[b]\r\nk=2\r\n");
  // Two blank lines after the comment: the comment goes with the erased section.
  EXPECT_EQ(Edit("[a]\nk=1\n;c\n\n\n[b]\n", [](TFastIniFile& i) { i.EraseSection("a"); }),
            "[b]\r\n");
  EXPECT_EQ(Edit("x=0\n[a]\nk=1\n", [](TFastIniFile& i) { i.EraseSection("A"); }), "x=0\r\n");
  // Missing section: no line changes, but the file is still rewritten.
  EXPECT_EQ(Edit("[a]\nk=1\n", [](TFastIniFile& i) { i.EraseSection("zz"); }), "[a]\r\nk=1\r\n");
  // The erased copy of a duplicated name uncovers the earlier one, and sections after
  // it are still found.
  EXPECT_EQ(Edit("[a]\nk=1\n[a]\nk=2\n[c]\nk=3\n",
                 [](TFastIniFile& i) {
                   i.EraseSection("a");
                   EXPECT_EQ(i.ReadString("a", "k", ""), "1");
                   i.WriteString("c", "k", "4");
                 }),
            "[a]\r\nk=1\r\n[c]\r\nk=4\r\n");
}

TEST(IniEdit, EmptyNamesAndEmptyKeyWrites) {
  EXPECT_EQ(Edit("[s]\n  = v\n=w\nk=1\n",
                 [](TFastIniFile& i) {
                   EXPECT_EQ(i.ReadString("s", "", "d"), "d");
                   i.WriteString("s", "k", "2");
                 }),
            "[s]\r\n=v\r\n=w\r\nk=2\r\n");
  // Empty key and value: empty section flushes, a named one is erased.
  EXPECT_EQ(Edit("[s]\nk=1\n[t]\nk=1\n",
                 [](TFastIniFile& i) {
                   i.WriteString("s", "", "");
                   i.WriteString("t", "", "value");  // ignored
                 }),
            "[t]\r\nk=1\r\n");
  test::MemFileSystem fs;
  fs.AddFile(kPath, "[s]\nk=1\n");
  TFastIniFile ini(fs, kPath);
  ini.WriteString("s", "k", "2");
  ini.WriteString("", "", "");
  EXPECT_FALSE(ini.Modified());
  EXPECT_EQ(fs.Contents(kPath), "[s]\r\nk=2\r\n");
}

TEST(IniEdit, ListingsSplitLinesAndKeepDuplicates) {
  test::MemFileSystem fs;
  fs.AddFile(kPath, "[s]\n a = 1 \nplain text\nb=\"q\" ;c\na=2\n;x=9\n[t]\n");
  TFastIniFile ini(fs, kPath);
  std::vector<std::string> out{"stale"};
  ini.ReadSection("s", out);
  EXPECT_EQ(out, (std::vector<std::string>{"a", "b", "a"}));
  ini.ReadSectionValues("s", out);
  EXPECT_EQ(out, (std::vector<std::string>{"a=1", "b=q", "a=1"}));
  ini.ReadSection("missing", out);
  EXPECT_TRUE(out.empty());
  ini.ReadSectionValues("t", out);
  EXPECT_TRUE(out.empty());
}

TEST(IniEdit, IntegerAndBooleanForms) {
  test::MemFileSystem fs;
  fs.AddFile(kPath,
             "[n]\nhex=0x1F\nHEX=0XfF\ndollar=$10\nneg=-42\nbig=2147483648\nmin=-2147483648\n"
             "wrap=0xFFFFFFFF\nbare=0x\njunk=12a\nempty=\nspaced= 7 ;c\nt=1\nf=0\nyes=yes\n");
  TFastIniFile ini(fs, kPath);
  EXPECT_EQ(ini.ReadInteger("n", "hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("n", "Hex", 0), 31);  // first of the two (case-folded) wins
  EXPECT_EQ(ini.ReadInteger("n", "dollar", 0), 16);
  EXPECT_EQ(ini.ReadInteger("n", "neg", 0), -42);
  EXPECT_EQ(ini.ReadInteger("n", "big", 5), 5);
  EXPECT_EQ(ini.ReadInteger("n", "min", 5), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("n", "wrap", 5), -1);
  EXPECT_EQ(ini.ReadInteger("n", "bare", 5), 5);
  EXPECT_EQ(ini.ReadInteger("n", "junk", 5), 5);
  EXPECT_EQ(ini.ReadInteger("n", "empty", 5), 5);
  EXPECT_EQ(ini.ReadInteger("n", "spaced", 5), 7);
  EXPECT_EQ(ini.ReadInteger("n", "missing", -3), -3);
  EXPECT_TRUE(ini.ReadBool("n", "t", false));
  EXPECT_FALSE(ini.ReadBool("n", "f", true));
  EXPECT_TRUE(ini.ReadBool("n", "yes", true));
  EXPECT_FALSE(ini.ReadBool("n", "yes", false));
  ini.WriteInteger("n", "neg", -7);
  ini.WriteBool("n", "f", true);
  EXPECT_EQ(ini.ReadString("n", "neg", ""), "-7");
  EXPECT_EQ(ini.ReadString("n", "f", ""), "1");
}

TEST(IniEdit, MissingFileStartsEmptyAndClearRereads) {
  test::MemFileSystem fs;
  fs.AddDir("C:\\game");
  TFastIniFile ini(fs, kPath);
  EXPECT_EQ(ini.ReadString("s", "k", "d"), "d");
  EXPECT_TRUE(ini.Loaded());
  ini.WriteString("s", "k", "v");
  ini.UpdateFile();
  EXPECT_EQ(fs.Contents(kPath), "[s]\r\nk=v\r\n");

  fs.AddFile(kPath, "[s]\nk=other\n");
  EXPECT_EQ(ini.ReadString("s", "k", ""), "v");  // still the loaded content
  ini.Clear();
  EXPECT_FALSE(ini.Loaded());
  EXPECT_EQ(ini.ReadString("s", "k", ""), "other");

  TFastIniFile unnamed(fs, "");
  EXPECT_EQ(unnamed.ReadString("s", "k", "d"), "d");
}

}  // namespace
}  // namespace qev
