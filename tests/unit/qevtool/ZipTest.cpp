// zip extract with the launcher's ZIP component, on archives made by Python's zipfile.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "ToolRunner.h"

namespace qev::test {
namespace {

// Builds an archive with Python's zipfile: members given as name=content pairs.
void MakeZip(const std::string& path,
             const std::vector<std::pair<std::string, std::string>>& members, bool stored = false) {
  std::string script = "import zipfile,sys\nz=zipfile.ZipFile(sys.argv[1],'w',zipfile.ZIP_" +
                       std::string(stored ? "STORED" : "DEFLATED") + ")\n";
  for (const auto& [name, content] : members)
    script += "z.writestr('" + name + "', b'" + content + "')\n";
  script += "z.close()\n";
  WriteFileBytes(path + ".py", script);
  ASSERT_EQ(std::system(("python3 " + path + ".py " + path).c_str()), 0);
}

TEST(QevtoolZip, ExtractsWithTheComponentsRulesAndAnswersOverwrite) {
  TempFolder dir;
  std::string zip = dir / "p.zip";
  MakeZip(zip, {{"Data/a.txt", "alpha"}, {"b.txt", "beta"}});
  std::string out = dir / "out/";
  ToolResult r = RunTool({"zip", "extract", zip, out});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.Out, "2\n");
  EXPECT_EQ(ReadFileBytes(out + "a.txt"), "alpha");  // folder part dropped
  EXPECT_EQ(ReadFileBytes(out + "b.txt"), "beta");

  WriteFileBytes(out + "a.txt", "local");
  ToolResult keep = RunTool({"zip", "extract", zip, out});
  EXPECT_EQ(keep.Out, "0\n");  // the answer is no: both existing files kept
  EXPECT_EQ(ReadFileBytes(out + "a.txt"), "local");
  EXPECT_NE(keep.Err.find("kept existing a.txt"), std::string::npos) << keep.Err;
  ToolResult replace = RunTool({"zip", "extract", zip, out, "--overwrite", "yes"});
  EXPECT_EQ(replace.Out, "2\n");
  EXPECT_EQ(ReadFileBytes(out + "a.txt"), "alpha");
  EXPECT_EQ(RunTool({"zip", "extract", zip, out, "--overwrite", "maybe"}).Exit, 2);
}

TEST(QevtoolZip, Utf8NamesAndNamesDifferingInCaseAsOnWindows) {
  TempFolder dir;
  std::string zip = dir / "u.zip";
  // zipfile flags non-ASCII names as UTF-8; one character has no GBK form.
  MakeZip(zip, {{"first.txt", "1"}, {"中.txt", "2"}, {"\U0001F600.txt", "3"}, {"last.txt", "4"}});
  ToolResult r = RunTool({"zip", "extract", zip, dir / "o"});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.Out, "3\n");
  EXPECT_EQ(ReadFileBytes(dir / "o/中.txt"), "2");
  EXPECT_EQ(ReadFileBytes(dir / "o/last.txt"), "4");
  EXPECT_NE(r.Err.find("skipped a member"), std::string::npos) << r.Err;
  EXPECT_EQ(FolderNames(dir / "o"), (std::vector<std::string>{"first.txt", "last.txt", "中.txt"}));

  // A.txt and a.txt are one file to the launcher: the second asks before replacing.
  std::string clash = dir / "c.zip";
  MakeZip(clash, {{"A.txt", "upper"}, {"sub/a.txt", "lower"}});
  ToolResult keep = RunTool({"zip", "extract", clash, dir / "c"});
  EXPECT_EQ(keep.Out, "1\n");
  EXPECT_NE(keep.Err.find("kept existing a.txt"), std::string::npos) << keep.Err;
  EXPECT_EQ(FolderNames(dir / "c"), std::vector<std::string>{"A.txt"});
  EXPECT_EQ(ReadFileBytes(dir / "c/A.txt"), "upper");
  ToolResult replace = RunTool({"zip", "extract", clash, dir / "d", "--overwrite", "yes"});
  EXPECT_EQ(replace.Out, "2\n");
  ASSERT_EQ(FolderNames(dir / "d").size(), 1u);
  EXPECT_EQ(ReadFileBytes(dir / "d/" + FolderNames(dir / "d")[0]), "lower");
}

TEST(QevtoolZip, ErrorBoxOfAnUnknownMethodBecomesALine) {
  TempFolder dir;
  std::string zip = dir / "bz.zip";
  WriteFileBytes(zip + ".py",
                 "import zipfile,sys\n"
                 "z=zipfile.ZipFile(sys.argv[1],'w')\n"
                 "z.writestr('a.txt', b'alpha', compress_type=zipfile.ZIP_BZIP2)\n"
                 "z.writestr('b.txt', b'beta', compress_type=zipfile.ZIP_STORED)\n"
                 "z.close()\n");
  ASSERT_EQ(std::system(("python3 " + zip + ".py " + zip).c_str()), 0);
  ToolResult r = RunTool({"zip", "extract", zip, dir / "out/"});
  EXPECT_EQ(r.Exit, 0);
  EXPECT_EQ(r.Out, "1\n");
  EXPECT_NE(r.Err.find("qevtool: Zip Error: Unknown Compression Method\n"), std::string::npos)
      << r.Err;
  EXPECT_FALSE(PathExists(dir / "out/a.txt"));
  EXPECT_EQ(ReadFileBytes(dir / "out/b.txt"), "beta");
}

TEST(QevtoolZip, UnreadableOrDamagedArchivesExitWithOne) {
  TempFolder dir;
  EXPECT_EQ(RunTool({"zip", "extract", dir / "none.zip", dir / "o"}).Exit, 1);
  WriteFileBytes(dir / "junk.zip", std::string(300, 'x'));
  ToolResult junk = RunTool({"zip", "extract", dir / "junk.zip", dir / "o"});
  EXPECT_EQ(junk.Exit, 1);
  EXPECT_EQ(junk.Err.rfind("qevtool: ", 0), 0u);
  // A directory offset pointing past the end of the file.
  std::string zip = dir / "cut.zip";
  MakeZip(zip, {{"a.txt", "alpha"}});
  std::string bytes = ReadFileBytes(zip);
  bytes[bytes.size() - 6] = '\x7f';
  WriteFileBytes(zip, bytes);
  EXPECT_EQ(RunTool({"zip", "extract", zip, dir / "o"}).Exit, 1);
}

}  // namespace
}  // namespace qev::test
