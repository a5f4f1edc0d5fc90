// update build and update check: the update folder read back by the launcher's update
// code and ZIP component.

#include <sys/stat.h>
#include <utime.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "ToolRunner.h"

namespace qev::test {
namespace {

const char kHeader[] = ";;;;;QEV TarnLogin Update File;;;;;";

void SetMtime(const std::string& path, time_t t) {
  utimbuf u{t, t};
  ASSERT_EQ(::utime(path.c_str(), &u), 0);
}

std::string LocalText(time_t t) {
  tm local{};
  localtime_r(&t, &local);
  char buf[32];
  strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
  return buf;
}

std::string CrcOf(const std::string& path) {
  ToolResult r = RunTool({"crc", path});
  return r.Out.substr(0, r.Out.find('\t'));
}

TEST(QevtoolUpdate, BuildMakesArchivesAndAnUpdateFileTheLauncherReads) {
  TempFolder dir;
  std::string game = dir / "game", out = dir / "site";
  const time_t t1 = 1236000000, t2 = 1300000000;  // even seconds: DOS times keep them
  WriteFileBytes(game + "/Wav.pak", std::string(5000, 'w'));
  WriteFileBytes(game + "/Data/地图.dat", "map data");
  SetMtime(game + "/Wav.pak", t1);
  SetMtime(game + "/Data/地图.dat", t2);
  WriteFileBytes(dir / "QevLogin.exe", "launcher");
  WriteFileBytes(dir / "tolw3.inf", "[LoginInfo]\r\n");

  ToolResult b = RunTool({"update", "build", "--game", game, "--out", out, "--base-url",
                          "http://127.0.0.1/patch/", "--launcher", dir / "QevLogin.exe",
                          "--long-url", "http://127.0.0.1/QevLogin.zip", "--config",
                          dir / "tolw3.inf", "--ini-url", "http://127.0.0.1/tolw3.inf", "--cue"});
  ASSERT_EQ(b.Exit, 0) << b.Err;
  EXPECT_EQ(ReadFileBytes(out + "/tolw3.up").rfind(std::string(kHeader) + "\r\n", 0), 0u);

  ToolResult c = RunTool({"update", "check", out + "/tolw3.up"});
  ASSERT_EQ(c.Exit, 0) << c.Err;
  EXPECT_EQ(
      c.Out,
      "CheckLong=1\nLongURL=http://127.0.0.1/QevLogin.zip\nLongCode=" +
          CrcOf(dir / "QevLogin.exe") +
          "\nCheckIni=1\nIniURL=http://127.0.0.1/tolw3.inf\nIniCode=" + CrcOf(dir / "tolw3.inf") +
          "\nCheckFix=1\nDefURL=http://127.0.0.1/patch\nEnableCue=1\nDLLURL=\n"
          "DLLCode=\n[patches]\nWav.pak\tWav.pak.zip\t\\\t" +
          LocalText(t1) + "\n地图.dat\t地图.dat.zip\t\\Data\\\t" + LocalText(t2) + "\n[ignored]\n");

  // Each archive lies where DefURL + FilePath + FromFile points and holds the file.
  ToolResult x = RunTool({"zip", "extract", out + "/Data/地图.dat.zip", dir / "x/"});
  EXPECT_EQ(x.Out, "1\n") << x.Err;
  EXPECT_EQ(ReadFileBytes(dir / "x/地图.dat"), "map data");
  struct stat st {};
  ASSERT_EQ(::stat((dir / "x/地图.dat").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtime, t2);  // the member's date is the file's time
  std::string check =
      "python3 -c \"import zipfile,sys; z=zipfile.ZipFile(sys.argv[1]); "
      "sys.exit(z.testzip() is not None or z.read('Wav.pak')!=b'w'*5000)\" " +
      out + "/Wav.pak.zip";
  EXPECT_EQ(std::system(check.c_str()), 0);

  // A second build does not replace the folder's files without --force.
  std::string before = ReadFileBytes(out + "/tolw3.up");
  std::vector<std::string> again{"update", "build", "--game",     game,
                                 "--out",  out,     "--base-url", "http://h/p"};
  EXPECT_EQ(RunTool(again).Exit, 1);
  EXPECT_EQ(ReadFileBytes(out + "/tolw3.up"), before);
  again.push_back("--force");
  EXPECT_EQ(RunTool(again).Exit, 0);
  EXPECT_NE(ReadFileBytes(out + "/tolw3.up"), before);
}

TEST(QevtoolUpdate, NamesWithSemicolonsSurviveTheLaunchersCommentRule) {
  TempFolder dir;
  WriteFileBytes(dir / "game/a;b.txt", "x");
  ASSERT_EQ(RunTool({"update", "build", "--game", dir / "game", "--out", dir / "o", "--base-url",
                     "http://h/p;q"})
                .Exit,
            0);
  ToolResult c = RunTool({"update", "check", dir / "o/tolw3.up"});
  EXPECT_NE(c.Out.find("DefURL=http://h/p;q\n"), std::string::npos) << c.Out;
  EXPECT_NE(c.Out.find("a;b.txt\ta;b.txt.zip\t\\\t"), std::string::npos) << c.Out;
  EXPECT_TRUE(PathExists(dir / "o/a;b.txt.zip"));
}

TEST(QevtoolUpdate, BuildRefusesNamesTheLauncherCannotTellApartAndBadArguments) {
  TempFolder dir;
  std::string game = dir / "game";
  WriteFileBytes(game + "/a.txt", "1");
  WriteFileBytes(game + "/sub/A.TXT", "2");
  ToolResult dup =
      RunTool({"update", "build", "--game", game, "--out", dir / "o", "--base-url", "http://h"});
  EXPECT_EQ(dup.Exit, 1);
  EXPECT_NE(dup.Err.find("share the name"), std::string::npos) << dup.Err;
  EXPECT_FALSE(PathExists(dir / "o"));

  EXPECT_EQ(RunTool({"update", "build", "--game", game, "--out", dir / "o"}).Exit, 2);
  EXPECT_EQ(RunTool({"update", "build", "--game", game, "--out", dir / "o", "--base-url", "u",
                     "--launcher", dir / "x.exe"})
                .Exit,
            2);
  EXPECT_EQ(
      RunTool({"update", "build", "--game", dir / "none", "--out", dir / "o", "--base-url", "u"})
          .Exit,
      1);
  EXPECT_EQ(
      RunTool({"update", "build", "--game", game, "--out", game + "/site", "--base-url", "u"}).Exit,
      1);
}

TEST(QevtoolUpdate, CheckShowsTheLaunchersNormalisationAndSkippedSections) {
  TempFolder dir;
  std::string up = dir / "tolw3.up";
  WriteFileBytes(
      up, "; made by hand\r\n" + std::string(kHeader) +
              "\r\n[updateinfo]\r\nCheckLong=1\r\nLongURL=http://h/l.exe\r\nCheckIni=true\r\n"
              "IniURL=u\r\nIniCode=5\r\nCheckFix=2\r\nDefURL=http://h/p\r\n"
              "[a.pak]\r\nFromFile=a.pak.zip\r\nFilePath=\\\r\nFileDateTime=2009-03-01 12:30:00\r\n"
              "[b.pak]\r\nFromFile=b.pak.zip\r\nFileDateTime=2009-03-01 12:30:00\r\n"
              "[c.pak]\r\nFromFile=c.pak.zip\r\nFilePath=\\\r\nFileDateTime=yesterday\r\n");
  ToolResult r = RunTool({"update", "check", up});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "CheckLong=0\nLongURL=http://h/l.exe\nLongCode=\nCheckIni=0\nIniURL=u\nIniCode=5\n"
            "CheckFix=1\nDefURL=http://h/p\nEnableCue=0\nDLLURL=\nDLLCode=\n[patches]\n"
            "a.pak\ta.pak.zip\t\\\t2009-03-01 12:30:00\n[ignored]\n"
            "b.pak\tmissing FilePath\nc.pak\tFileDateTime does not parse\n");

  WriteFileBytes(dir / "page.html", "<html>404</html>");
  ToolResult noHeader = RunTool({"update", "check", dir / "page.html"});
  EXPECT_EQ(noHeader.Exit, 1);
  EXPECT_NE(noHeader.Err.find("header"), std::string::npos);
  EXPECT_EQ(RunTool({"update", "check", dir / "missing.up"}).Exit, 1);
}

}  // namespace
}  // namespace qev::test
