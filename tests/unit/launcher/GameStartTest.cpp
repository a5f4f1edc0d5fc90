// The game start: Config.ini, the client's start, and the desktop shortcut.
#include <gtest/gtest.h>

#include "config/SixBit.h"
#include "launcher/ClientArgs.h"
#include "tests/unit/launcher/FormTestSupport.h"

namespace qev {
namespace {

using test::FakeFormKit;
using test::Gbk;

class GameStart : public ::testing::Test {
 protected:
  void Start(const std::string& loginInfo = "Caption1=client.exe\r\n") {
    form = test::StartClient(
        kit, {{"127.0.0.1", 7000, "Zone A", ""}, {"127.0.0.2", 7100, "Zone B", ""}}, loginInfo);
    kit.combo1.ClickRow(1);
    kit.ClientSocket1.Connect();
  }
  std::string ConfigIni() { return kit.fs.Contents("C:\\Game\\Config.ini"); }

  FakeFormKit kit;
  std::unique_ptr<TForm1> form;
};

TEST_F(GameStart, WritesTheKeysForEveryChoiceAndStartsTheClient) {
  Start();
  form->suiButton1Click();
  // Default choices: windowed, 800x600, interface row 1; Param1 is the game port.
  EXPECT_EQ(ConfigIni(),
            "[Options]\r\nServerAddr=127.0.0.2\r\nParam1=7100\r\nFullScreenMode=0\r\n"
            "Interface=1\r\nScreenWidth=800\r\nScreenHeight=600\r\n");
  ASSERT_EQ(kit.shell.calls.size(), 1u);
  EXPECT_EQ(kit.shell.calls[0].file, "C:\\Game\\client.exe");
  EXPECT_EQ(kit.shell.calls[0].parameters, DecodeSixBit(ClientArgs));
  EXPECT_EQ(kit.shell.calls[0].directory, "C:\\Game\\");
  EXPECT_TRUE(kit.app.minimized);

  kit.Opt1.checked = true;
  kit.Opt2.checked = true;
  kit.Combo2.SetItemIndex(2);
  kit.M2.Click();  // the tray menu's start item
  EXPECT_EQ(ConfigIni(),
            "[Options]\r\nServerAddr=127.0.0.2\r\nParam1=7100\r\nFullScreenMode=1\r\n"
            "Interface=2\r\nScreenWidth=1024\r\nScreenHeight=768\r\n");

  // Text typed into the interface field: no row, the key keeps its last value.
  kit.Combo2.Type("custom");
  kit.Opt2.checked = false;
  form->suiButton1Click();
  EXPECT_EQ(ConfigIni(),
            "[Options]\r\nServerAddr=127.0.0.2\r\nParam1=7100\r\nFullScreenMode=1\r\n"
            "Interface=2\r\nScreenWidth=800\r\nScreenHeight=600\r\n");
  EXPECT_EQ(kit.shell.calls.size(), 3u);
}

TEST_F(GameStart, KeepsEveryOtherLineOfAnExistingConfigIni) {
  const std::string before =
      "; client settings\r\n[Sound]\r\nVolume = 80 ; loud\r\n\r\n[Options]\r\nGamma=3\r\n"
      "ServerAddr=1.1.1.1\r\nFullScreenMode=1\r\n[Keys]\r\nF1=help\r\n";
  kit.fs.AddFile("C:\\Game\\Config.ini", before);
  Start();
  form->suiButton1Click();
  EXPECT_EQ(ConfigIni(),
            "; client settings\r\n[Sound]\r\nVolume = 80 ; loud\r\n\r\n[Options]\r\nGamma=3\r\n"
            "ServerAddr=127.0.0.2\r\nFullScreenMode=0\r\nParam1=7100\r\nInterface=1\r\n"
            "ScreenWidth=800\r\nScreenHeight=600\r\n[Keys]\r\nF1=help\r\n");
}

TEST_F(GameStart, AlternativeArgumentsWhenCaption3IsSet) {
  Start("Caption1=client.exe\r\nCaption3=x\r\n");
  form->suiButton1Click();
  ASSERT_EQ(kit.shell.calls.size(), 1u);
  EXPECT_EQ(kit.shell.calls[0].parameters, DecodeSixBit(ClientArgsAlt));
}

TEST_F(GameStart, MissingClientOrEmptyCaption1WarnsAndTouchesNothing) {
  Start("Caption1=gone.exe\r\n");
  form->suiButton1Click();
  ASSERT_EQ(kit.MessForm.shown.size(), 1u);
  EXPECT_EQ(kit.MessForm.shown[0].text,
            Gbk("缺少文件,或被杀毒误删,请重新安装登录器里的所有文件就好"));
  EXPECT_EQ(kit.MessForm.shown[0].icon, TMessForm::Icon::Warning);
  EXPECT_FALSE(kit.fs.FileExists("C:\\Game\\Config.ini"));
  EXPECT_TRUE(kit.shell.calls.empty());
  EXPECT_FALSE(kit.app.minimized);

  // An empty Caption1 would name the folder itself: refused the same way.
  form->LauncherConfig.Caption1.clear();
  form->suiButton1Click();
  EXPECT_EQ(kit.MessForm.shown.size(), 2u);
  EXPECT_TRUE(kit.shell.calls.empty());
}

TEST_F(GameStart, UnwritableConfigIniKeepsTheOldFileAndDoesNotStart) {
  const std::string before = "[Options]\r\nServerAddr=1.1.1.1\r\n";
  kit.fs.AddFile("C:\\Game\\Config.ini", before);
  Start();
  kit.fs.Lock("C:\\Game\\Config.ini");
  form->suiButton1Click();
  kit.fs.Lock("C:\\Game\\Config.ini", false);
  EXPECT_EQ(ConfigIni(), before);
  ASSERT_EQ(kit.MessForm.shown.size(), 1u);
  EXPECT_EQ(kit.MessForm.shown[0].text,
            Gbk("游戏设置文件Config."
                "ini无法写入，游戏没有启动。请检查该文件是否只读、被占用或磁盘已满。"));
  EXPECT_TRUE(kit.shell.calls.empty());
  EXPECT_FALSE(kit.app.minimized);
  // No temporary file is left beside it.
  EXPECT_EQ(kit.fs.ListFiles().size(), 4u);  // tolw3.inf, QevLogin.exe, client.exe, Config.ini

  // A full disk: the same outcome, the old file whole.
  kit.fs.SetSpaceLeft(10);
  form->suiButton1Click();
  EXPECT_EQ(ConfigIni(), before);
  EXPECT_TRUE(kit.shell.calls.empty());
}

class Shortcut : public ::testing::Test {
 protected:
  void Create() { form = test::StartClient(kit, {{"127.0.0.1", 7000, "Zone A", ""}}); }
  std::string link = std::string("C:\\Users\\Player\\Desktop\\") + LauncherTitle + ".lnk";
  FakeFormKit kit;
  std::unique_ptr<TForm1> form;
};

TEST_F(Shortcut, OfferedWhenMissingAndSavedOnYes) {
  kit.suiMessageDialog1.answers = {TMessageDialog::kYes};
  Create();
  ASSERT_EQ(kit.suiMessageDialog1.shown.size(), 1u);
  EXPECT_EQ(kit.suiMessageDialog1.shown[0].caption, Gbk("友情提示"));
  EXPECT_EQ(kit.suiMessageDialog1.shown[0].text,
            Gbk("是否需要创建") + LauncherTitle +
                Gbk("桌面快捷方式？如果您安装了杀毒软件可能会产出误报！"));
  EXPECT_EQ(kit.fs.Contents(link), "C:\\Game\\QevLogin.exe||C:\\Game\\");
}

TEST_F(Shortcut, DeclinedLeavesNoLink) {
  kit.suiMessageDialog1.answers = {TMessageDialog::kNo};
  Create();
  EXPECT_FALSE(kit.fs.FileExists(link));
}

TEST_F(Shortcut, ExistingLinkIsRefreshedWithoutAQuestion) {
  kit.fs.AddFile(link, "old");
  Create();
  EXPECT_TRUE(kit.suiMessageDialog1.shown.empty());
  EXPECT_EQ(kit.fs.Contents(link), "C:\\Game\\QevLogin.exe||C:\\Game\\");
}

TEST_F(Shortcut, NoDesktopFolderNoQuestion) {
  kit.registry.values.clear();
  Create();
  EXPECT_TRUE(kit.suiMessageDialog1.shown.empty());
  EXPECT_TRUE(kit.links.saves.empty());
}

}  // namespace
}  // namespace qev
