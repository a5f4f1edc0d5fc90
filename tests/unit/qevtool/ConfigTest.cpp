// config new, add-zone and list: files made by the tool read back by the launcher.

#include <gtest/gtest.h>

#include "ToolRunner.h"
#include "config/LauncherConfig.h"
#include "posix/PosixFileSystem.h"

namespace qev::test {
namespace {

struct Loaded {
  TLauncherConfig Config;
  TServerList Servers;
  std::vector<DroppedSection> Dropped;
};

Loaded Load(const std::string& path) {
  PosixFileSystem fs;
  Loaded l;
  LoadLauncherConfig(fs, path, l.Config, l.Servers, &l.Dropped);
  return l;
}

TEST(QevtoolConfig, NewWritesLoginInfoTheLauncherReadsBack) {
  TempFolder dir;
  std::string inf = dir / "tolw3.inf";
  ToolResult r =
      RunTool({"config", "new", inf, "--client", "游戏.exe", "--alt-args", "--pay",
               "http://pay.test/a;b", "--update", "http://up.test/tolw3.up", "--info", "欢迎"});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  Loaded l = Load(inf);
  EXPECT_EQ(l.Config.Caption1, "\xd3\xce\xcf\xb7.exe");  // GBK in the file
  EXPECT_FALSE(l.Config.Caption3.empty());
  EXPECT_EQ(l.Config.Chongzhi, "http://pay.test/a;b");  // quoted, so the ";" survives
  EXPECT_EQ(l.Config.UpdateURL, "http://up.test/tolw3.up");
  EXPECT_EQ(l.Config.NoticeURL, "about:blank");
  EXPECT_EQ(l.Config.InfoVer, "\xbb\xb6\xd3\xad");
  EXPECT_TRUE(l.Servers.empty());

  ToolResult plain = RunTool({"config", "new", dir / "plain.inf"});
  ASSERT_EQ(plain.Exit, 0);
  EXPECT_TRUE(Load(dir / "plain.inf").Config.Caption3.empty());
}

TEST(QevtoolConfig, NewNeverReplacesWithoutForceAndLeavesNothingOnRefusal) {
  TempFolder dir;
  std::string inf = dir / "tolw3.inf";
  WriteFileBytes(inf, "old");
  ToolResult r = RunTool({"config", "new", inf});
  EXPECT_EQ(r.Exit, 1);
  EXPECT_NE(r.Err.find("--force"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(inf), "old");
  EXPECT_EQ(RunTool({"config", "new", inf, "--force"}).Exit, 0);
  EXPECT_NE(ReadFileBytes(inf), "old");

  // 61 bytes of banner would be cut by the launcher: refused before anything is written.
  ToolResult longInfo = RunTool({"config", "new", dir / "b.inf", "--info", std::string(61, 'x')});
  EXPECT_EQ(longInfo.Exit, 2);
  EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"tolw3.inf"});
}

TEST(QevtoolConfig, AddZoneAppendsServersTheLauncherAccepts) {
  TempFolder dir;
  std::string inf = dir / "tolw3.inf";
  ASSERT_EQ(RunTool({"config", "new", inf}).Exit, 0);
  ToolResult one = RunTool({"config", "add-zone", inf, "--caption", "一区", "--name", "s1",
                            "--address", "127.0.0.1", "--port", "7000", "--notice", "维护;公告"});
  ASSERT_EQ(one.Exit, 0) << one.Err;
  EXPECT_EQ(one.Out, "Server1\n");
  ToolResult two = RunTool({"config", "add-zone", inf, "--caption", "Zone B", "--name", "s2",
                            "--address", "game.test", "--port", "7100"});
  EXPECT_EQ(two.Out, "Server2\n");

  Loaded l = Load(inf);
  ASSERT_EQ(l.Servers.size(), 2u);
  EXPECT_EQ(l.Servers[0]->ServerCaption, "\xd2\xbb\xc7\xf8");
  EXPECT_EQ(l.Servers[0]->ServerAddress, "127.0.0.1");
  EXPECT_EQ(l.Servers[0]->ServerPort, 7000);
  EXPECT_EQ(l.Servers[0]->ServerNotice, "\xce\xac\xbb\xa4;\xb9\xab\xb8\xe6");
  EXPECT_EQ(l.Servers[1]->ServerAddress, "game.test");
  EXPECT_EQ(l.Servers[1]->ServerPort, 7100);
  EXPECT_TRUE(l.Dropped.empty());

  // A caption differing only in letter case would be dropped: refused, file untouched.
  std::string before = ReadFileBytes(inf);
  ToolResult dup = RunTool({"config", "add-zone", inf, "--caption", "zone b", "--name", "s3",
                            "--address", "h", "--port", "1"});
  EXPECT_EQ(dup.Exit, 1);
  EXPECT_NE(dup.Err.find("exists already"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(inf), before);
  EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"tolw3.inf"});
}

TEST(QevtoolConfig, AddZoneRefusesBadArgumentsAndMissingFile) {
  TempFolder dir;
  std::string inf = dir / "tolw3.inf";
  ASSERT_EQ(RunTool({"config", "new", inf}).Exit, 0);
  std::vector<std::string> base{"config", "add-zone", inf,         "--caption", "c",
                                "--name", "n",        "--address", "a"};
  auto with = [&](std::vector<std::string> extra) {
    std::vector<std::string> args = base;
    args.insert(args.end(), extra.begin(), extra.end());
    return RunTool(args).Exit;
  };
  EXPECT_EQ(with({}), 2);                   // no --port
  EXPECT_EQ(with({"--port", "64536"}), 2);  // status port would pass 65535
  EXPECT_EQ(with({"--port", "0"}), 2);
  EXPECT_EQ(with({"--port", "7000", "--caption", "again"}), 2);
  EXPECT_EQ(RunTool({"config", "add-zone", dir / "none.inf", "--caption", "c", "--name", "n",
                     "--address", "a", "--port", "1"})
                .Exit,
            1);
  EXPECT_EQ(RunTool({"config", "add-zone", inf, "--caption", "", "--name", "n", "--address", "a",
                     "--port", "1"})
                .Exit,
            2);
  EXPECT_TRUE(Load(inf).Servers.empty());
}

TEST(QevtoolConfig, ListShowsWhatTheLauncherTakesAndWhatItDrops) {
  TempFolder dir;
  std::string inf = dir / "tolw3.inf";
  std::string port = EncodeServerValue("7000"), addr = EncodeServerValue("10.0.0.1");
  WriteFileBytes(inf, "[LoginInfo]\r\nCaption1=game.exe\r\nInfoVer=" + std::string(70, 'i') +
                          "\r\nWebsite=http://w.test/;comment\r\n"
                          "[Server1]\r\nServerCaption=\xd2\xbb\r\nServerName=n1\r\nServerAddress=" +
                          addr + "\r\nServerPort=" + port +
                          "\r\nServerNotice=hi\r\n"
                          "[Server2]\r\nServerCaption=two\r\nServerAddress=" +
                          addr + "\r\nServerPort=" + port +
                          "\r\n"
                          "[serverX]\r\nServerCaption=\xd2\xbb\r\nServerName=n\r\nServerAddress=" +
                          addr + "\r\nServerPort=" + port + "\r\n[Serv]\r\nServerCaption=z\r\n");
  ToolResult r = RunTool({"config", "list", inf});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "Caption1=game.exe\nCommand1=\nCaption2=\nCommand2=\nCaption3=\nCommand3=\n"
            "NoticeURL=about:blank\nUpdateURL=\nWebsite=http://w.test/\nExitURL=\nChongzhi=\n"
            "BBS=\nInfoVer=" +
                std::string(60, 'i') +
                "\n[zones]\n一\t10.0.0.1\t7000\tn1\thi\n[dropped]\n"
                "Server2\tmissing ServerName\nserverX\tduplicate caption\n");
  EXPECT_EQ(RunTool({"config", "list", dir / "none.inf"}).Exit, 1);
}

}  // namespace
}  // namespace qev::test
