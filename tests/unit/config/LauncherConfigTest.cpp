#include <gtest/gtest.h>

#include "config/LauncherConfig.h"
#include "platform/FileError.h"
#include "tests/fakes/MemFileSystem.h"

namespace qev {
namespace {

constexpr char kInf[] = "C:\\game\\tolw3.inf";

std::string Server(const std::string& section, const std::string& caption,
                   const std::string& address, const std::string& port,
                   const std::string& name = "n", const std::string& notice = "") {
  return "[" + section + "]\r\nServerName=" + name +
         "\r\nServerAddress=" + EncodeServerValue(address) +
         "\r\nServerPort=" + EncodeServerValue(port) + "\r\nServerNotice=" + notice +
         "\r\nServerCaption=" + caption + "\r\n";
}

struct Loaded {
  TLauncherConfig config;
  TServerList servers;
  std::vector<DroppedSection> dropped;
};

Loaded Load(const std::string& text) {
  test::MemFileSystem fs;
  fs.AddFile(kInf, text);
  Loaded out;
  out.config.NoticeURL = "stale";
  LoadLauncherConfig(fs, kInf, out.config, out.servers, &out.dropped);
  return out;
}

TEST(LauncherConfig, ServerValuesRoundTrip) {
  EXPECT_EQ(DecodeServerValue(EncodeServerValue("127.0.0.1")), "127.0.0.1");
  const std::string stored = EncodeServerValue("7000");
  EXPECT_EQ(stored.size(), 8u);
  EXPECT_EQ(stored.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  EXPECT_EQ(DecodeServerValue(""), "");
  // Computed independently from the cipher steps (21 rounds, key 24681357).
  EXPECT_EQ(EncodeServerValue("7000"), "2E46EB33");
  EXPECT_EQ(DecodeServerValue("123AA5744D3D8AA4FD"), "127.0.0.1");
}

TEST(LauncherConfig, LoginInfoValues) {
  const std::string infoVer(80, 'v');
  const Loaded l = Load(
      "[LoginInfo]\r\nCaption1=game.exe\r\nCaption3=x\r\n"
      "Website=http://127.0.0.1/a?b=1;c=2\r\n"
      "ExitURL=\"http://127.0.0.1/a?b=1;c=2\"\r\n"
      "UpdateURL = http://127.0.0.1/up ; comment\r\nInfoVer=" +
      infoVer + "\r\n");
  EXPECT_EQ(l.config.Caption1, "game.exe");
  EXPECT_EQ(l.config.Caption3, "x");
  EXPECT_EQ(l.config.Command1, "");
  EXPECT_EQ(l.config.NoticeURL, "about:blank");
  EXPECT_EQ(l.config.Website, "http://127.0.0.1/a?b=1");
  EXPECT_EQ(l.config.ExitURL, "http://127.0.0.1/a?b=1;c=2");
  EXPECT_EQ(l.config.UpdateURL, "http://127.0.0.1/up");
  EXPECT_EQ(l.config.InfoVer, infoVer.substr(0, 60));
  EXPECT_TRUE(l.servers.empty());
  EXPECT_TRUE(l.dropped.empty());
}

TEST(LauncherConfig, ServerSectionsAndSkipRules) {
  const std::string kCaption = "\xb5\xe7\xd0\xc5\xd2\xbb\xc7\xf8";  // 电信一区
  const Loaded l = Load(
      "[LoginInfo]\r\nNoticeURL=http://127.0.0.1/n\r\n" +
      Server("Server1", kCaption, "127.0.0.1", "7000", "n", "hello") +
      Server("Serv", "short name", "127.0.0.1", "7001") +     // not a server section
      Server("server2", "Alpha", "localhost", "7002") +       // empty notice is fine
      Server("SERVERX", "ALPHA", "127.0.0.1", "7003") +       // same caption, folded
      Server("Server3", "NoName", "127.0.0.1", "7004", "") +  // ServerName missing
      Server("Server4", "BadPort", "127.0.0.1", "70a") +      // not an integer
      Server("Server5", "Neg", "127.0.0.1", "-5") +           // an integer after all
      "[Server6]\r\nServerName=n\r\nServerCaption=NoAddr\r\nServerPort=" + EncodeServerValue("1") +
      "\r\n" + Server("Server", "Plain", "127.0.0.1", "7005"));
  EXPECT_EQ(l.config.NoticeURL, "http://127.0.0.1/n");
  ASSERT_EQ(l.servers.size(), 4u);
  EXPECT_EQ(l.servers[0]->ServerCaption, kCaption);
  EXPECT_EQ(l.servers[0]->ServerAddress, "127.0.0.1");
  EXPECT_EQ(l.servers[0]->ServerPort, 7000);
  EXPECT_EQ(l.servers[0]->ServerNotice, "hello");
  EXPECT_EQ(l.servers[1]->ServerCaption, "Alpha");
  EXPECT_EQ(l.servers[1]->ServerAddress, "localhost");
  EXPECT_EQ(l.servers[1]->ServerNotice, "");
  EXPECT_EQ(l.servers[2]->ServerPort, -5);
  EXPECT_EQ(l.servers[3]->ServerCaption, "Plain");

  ASSERT_EQ(l.dropped.size(), 4u);
  EXPECT_EQ(l.dropped[0].Name, "SERVERX");
  EXPECT_EQ(l.dropped[0].Reason, "duplicate caption");
  EXPECT_EQ(l.dropped[1].Reason, "missing ServerName");
  EXPECT_EQ(l.dropped[2].Name, "Server4");
  EXPECT_EQ(l.dropped[2].Reason, "port is not an integer");
  EXPECT_EQ(l.dropped[3].Reason, "missing ServerAddress");
}

TEST(LauncherConfig, DuplicatedSectionGivesOneServerFromItsLastCopy) {
  const Loaded l =
      Load(Server("Server1", "Old", "127.0.0.1", "1") + Server("Server2", "Mid", "127.0.0.1", "2") +
           Server("server1", "New", "127.0.0.3", "3"));
  ASSERT_EQ(l.servers.size(), 2u);
  EXPECT_EQ(l.servers[0]->ServerCaption, "New");
  EXPECT_EQ(l.servers[0]->ServerAddress, "127.0.0.3");
  EXPECT_EQ(l.servers[1]->ServerCaption, "Mid");
  ASSERT_EQ(l.dropped.size(), 1u);
  EXPECT_EQ(l.dropped[0].Name, "server1");
  EXPECT_EQ(l.dropped[0].Reason, "duplicate caption");
}

TEST(LauncherConfig, AppendsToTheListAndMissingFileGivesDefaults) {
  test::MemFileSystem fs;
  fs.AddDir("C:\\game");
  TLauncherConfig config;
  config.Caption1 = "stale";
  TServerList servers;
  servers.push_back(std::make_unique<TServerInfo>());
  LoadLauncherConfig(fs, kInf, config, servers);
  EXPECT_EQ(config.Caption1, "");
  EXPECT_EQ(config.NoticeURL, "about:blank");
  EXPECT_EQ(servers.size(), 1u);

  fs.AddFile(kInf, Server("Server1", "A", "127.0.0.1", "7000"));
  LoadLauncherConfig(fs, kInf, config, servers);
  EXPECT_EQ(servers.size(), 2u);
  EXPECT_FALSE(fs.Contents(kInf).empty());

  // A caption already in the list counts as taken, in any letter case.
  std::vector<DroppedSection> dropped;
  fs.AddFile(kInf, Server("Server9", "a", "127.0.0.1", "7000"));
  LoadLauncherConfig(fs, kInf, config, servers, &dropped);
  EXPECT_EQ(servers.size(), 2u);
  ASSERT_EQ(dropped.size(), 1u);
  EXPECT_EQ(dropped[0].Reason, "duplicate caption");

  fs.Lock(kInf);
  EXPECT_THROW(LoadLauncherConfig(fs, kInf, config, servers), FileError);
}

TEST(LauncherConfig, RepeatedCaptionsAmongManyZones) {
  std::string text = "[LoginInfo]\r\n";
  for (int i = 0; i < 3000; ++i)
    text += Server("Server" + std::to_string(i), "Zone " + std::to_string(i), "127.0.0.1", "7000");
  text += Server("ServerA", "ZONE 0", "127.0.0.1", "7000");      // the first, folded
  text += Server("ServerB", "zone 2999", "127.0.0.1", "7000");   // the last, folded
  text += Server("ServerC", "Zone 30000", "127.0.0.1", "7000");  // new
  const Loaded l = Load(text);
  EXPECT_EQ(l.servers.size(), 3001u);
  ASSERT_EQ(l.dropped.size(), 2u);
  EXPECT_EQ(l.dropped[0].Name, "ServerA");
  EXPECT_EQ(l.dropped[1].Name, "ServerB");
}

}  // namespace
}  // namespace qev
