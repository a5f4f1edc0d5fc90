// Creation of the main window, its commands, the tray rules and closing.
#include <gtest/gtest.h>

#include "config/Crc32.h"
#include "tests/unit/launcher/FormTestSupport.h"

namespace qev {
namespace {

using test::FakeFormKit;
using test::Gbk;

TEST(FormCreate, MissingConfigurationStopsAfterTheMessage) {
  FakeFormKit kit;
  auto form = kit.Make();
  form->FormCreate();

  ASSERT_EQ(kit.MessForm.shown.size(), 1u);
  const auto& box = kit.MessForm.shown[0];
  EXPECT_EQ(box.text,
            Gbk("没有找到登录器配置文件：\r\n\r\n“tolw3.inf”\r\n\r\n因此登录器无法正常运行，"
                "\r\n\r\n请将该文件和登录器放在同一目录！"));
  EXPECT_EQ(box.icon, TMessForm::Icon::Stop);
  EXPECT_EQ(box.caption, std::string(" ") + LauncherTitle);
  EXPECT_EQ(box.font, Gbk("宋体"));
  EXPECT_EQ(box.fontSize, 9);
  EXPECT_TRUE(kit.app.terminated);
  // Nothing else of the creation ran: the message is the only event.
  EXPECT_EQ(kit.journal, test::Journal{"ShowMsg: " + box.text});
  EXPECT_EQ(kit.combo1.Count(), 0);
  EXPECT_EQ(kit.Combo2.Count(), 0);
  EXPECT_TRUE(kit.links.saves.empty());
}

TEST(FormCreate, RunsEveryStepInTheDocumentedOrder) {
  FakeFormKit kit;
  test::InstallClient(kit, {{"10.0.0.1", 7000, "Zone A", ""}, {"10.0.0.2", 7100, "Zone B", ""}},
                      "Caption1=client.exe\r\nNoticeURL=http://127.0.0.1/notice.html\r\n"
                      "UpdateURL=http://127.0.0.1/up.txt\r\nInfoVer=Season 3\r\n");
  kit.suiMessageDialog1.answers = {TMessageDialog::kYes};
  auto form = kit.Make();
  form->FormCreate();

  const std::string desktopLink =
      std::string("C:\\Users\\Player\\Desktop\\") + LauncherTitle + ".lnk";
  EXPECT_EQ(kit.journal, (test::Journal{
                             "TExistFile",
                             "Navigate: http://127.0.0.1/notice.html",
                             "Theme: C:\\Game\\QevLogin.ssk",
                             "Ask: " + Gbk("友情提示"),
                             "Link saved",
                             "combo1 row: Zone A",
                             "combo1 row: Zone B",
                             "TUpIP: http://127.0.0.1/up.txt",
                             "Theater",
                             "Title",
                             "RzLabel1: Season 3",
                         }));
  EXPECT_FALSE(kit.app.terminated);
  // The executable's bytes are 123456789: the standard check value.
  EXPECT_EQ(form->LauncherFileCrc, 0xCBF43926u);
  EXPECT_EQ(form->ConfigFileCrc, FileCrc32(kit.fs, kit.values.ConfigFileName).Crc);
  EXPECT_NE(form->ConfigFileCrc, 0u);
  EXPECT_EQ(form->NoticePage, "http://127.0.0.1/notice.html");
  EXPECT_TRUE(kit.web.theater);
  EXPECT_EQ(kit.app.title, LauncherTitle);
  EXPECT_EQ(kit.window.caption, LauncherTitle);
  EXPECT_EQ(kit.TrayIcon1.hint, LauncherTitle);
  EXPECT_EQ(kit.Combo2.rows,
            (std::vector<std::string>{Gbk("3G界面"), Gbk("1.45界面"), Gbk("新3G界面")}));
  EXPECT_EQ(kit.Combo2.ItemIndex(), 1);
  EXPECT_EQ(kit.combo1.ItemIndex(), -1);
  EXPECT_EQ(kit.ZT.text, Gbk("请选择服务器..."));
  EXPECT_EQ(kit.links.saves, std::vector<std::string>{desktopLink});
}

TEST(FormCreate, NoServersNoUpdateUrlNoInfoVerAndAMissingExecutable) {
  FakeFormKit kit;
  kit.fs.AddFile(kit.values.ConfigFileName, "[LoginInfo]\r\nCaption1=client.exe\r\n");
  auto form = kit.Make();
  form->FormCreate();

  EXPECT_EQ(kit.combo1.Count(), 0);
  EXPECT_TRUE(kit.updates.upIpUrls.empty());
  EXPECT_EQ(kit.updates.existFileStarts, 1);
  EXPECT_EQ(kit.web.pages, std::vector<std::string>{"about:blank"});
  EXPECT_EQ(kit.RzLabel1.text, Gbk("欢迎进入神域3的世界，祝您游戏愉快！"));
  EXPECT_EQ(form->LauncherFileCrc, 0u);  // the executable could not be read
  // The shortcut was offered and declined (the default answer).
  EXPECT_EQ(kit.suiMessageDialog1.shown.size(), 1u);
  EXPECT_TRUE(kit.links.saves.empty());

  // With no server at all, the start button refuses with the stop message.
  form->suiButton1Click();
  ASSERT_EQ(kit.MessForm.shown.size(), 1u);
  EXPECT_EQ(kit.MessForm.shown[0].text, Gbk("服务器正在重新启动或者正在维护中，请稍侯再来..."));
  EXPECT_TRUE(kit.shell.calls.empty());
}

TEST(Commands, OpenCommandsPopupAndClose) {
  FakeFormKit kit;
  auto form = test::StartClient(kit, {{"10.0.0.1", 7000, "Zone A", ""}},
                                "Website=http://127.0.0.1/site\r\nChongzhi=http://127.0.0.1/pay\r\n"
                                "BBS=http://127.0.0.1/bbs\r\nExitURL=http://127.0.0.1/bye\r\n");

  kit.suiButton7.Click();
  kit.zhaohuimima.Click();
  kit.N3.Click();
  form->OpenBBS();
  ASSERT_EQ(kit.shell.calls.size(), 4u);
  EXPECT_EQ(kit.shell.calls[0].file, "http://127.0.0.1/site");
  EXPECT_EQ(kit.shell.calls[1].file, "http://127.0.0.1/pay");
  EXPECT_EQ(kit.shell.calls[2].file, "C:\\Game\\");
  EXPECT_EQ(kit.shell.calls[3].file, "http://127.0.0.1/bbs");
  for (const auto& c : kit.shell.calls) EXPECT_TRUE(c.parameters.empty() && c.directory.empty());

  // The account menu pops up where the mouse was released, in screen coordinates.
  kit.suiButton6.origin = {462, 7};
  kit.suiButton6.OnMouseUp(TPoint{10, 20});
  ASSERT_EQ(kit.suiPopupMenu2.popups.size(), 1u);
  EXPECT_EQ(kit.suiPopupMenu2.popups[0].x, 472);
  EXPECT_EQ(kit.suiPopupMenu2.popups[0].y, 27);

  // Closing with a probe connected drops it and opens the exit page.
  kit.combo1.ClickRow(0);
  kit.ClientSocket1.Connect();
  kit.suiImageButton_Close.Click();
  EXPECT_EQ(kit.window.closes, 1);
  EXPECT_FALSE(kit.ClientSocket1.Active());
  EXPECT_EQ(kit.shell.calls.back().file, "http://127.0.0.1/bye");
}

TEST(Commands, ClosingWithoutExitUrlOpensNothing) {
  FakeFormKit kit;
  auto form = test::StartClient(kit, {{"10.0.0.1", 7000, "Zone A", ""}});
  kit.M4.Click();
  EXPECT_EQ(kit.window.closes, 1);
  EXPECT_TRUE(kit.shell.calls.empty());
}

TEST(Commands, AccountHintNeedsARunningZone) {
  FakeFormKit kit;
  auto form =
      test::StartClient(kit, {{"10.0.0.1", 7000, "Zone A", ""}, {"10.0.0.2", 7100, "Zone B", ""}});

  // Several zones, the first row picked and down: the "pick a zone" warning.
  kit.combo1.ClickRow(0);
  kit.ClientSocket1.Refuse();
  kit.suiButton2.Click();
  ASSERT_EQ(kit.MessForm.shown.size(), 1u);
  EXPECT_EQ(kit.MessForm.shown[0].text, Gbk("请先选择神域分区..."));
  EXPECT_EQ(kit.MessForm.shown[0].icon, TMessForm::Icon::Warning);
  EXPECT_TRUE(kit.boxes.shown.empty());

  // Another row down: the stop message with the given text.
  kit.combo1.ClickRow(1);
  kit.ClientSocket1.Refuse();
  kit.N1.Click();
  ASSERT_EQ(kit.MessForm.shown.size(), 2u);
  EXPECT_EQ(kit.MessForm.shown[1].text, Gbk("服务器正在重新启动或者正在维护中，请稍侯再来..."));
  EXPECT_EQ(kit.MessForm.shown[1].icon, TMessForm::Icon::Stop);

  // Running: each of the three commands shows the hint in a plain box.
  kit.combo1.ClickRow(1);
  kit.ClientSocket1.Connect();
  kit.suiButton2.Click();
  kit.N1.Click();
  kit.N2.Click();
  form->ShowAccountHint(4);
  ASSERT_EQ(kit.boxes.shown.size(), 3u);
  for (const auto& b : kit.boxes.shown) {
    EXPECT_EQ(b.text, Gbk("请点击开始游戏在游戏界面处使用账号管理功能"));
    EXPECT_EQ(b.caption, LauncherTitle);
  }
}

TEST(Tray, ClickAlternatesAndMenuFollowsTheState) {
  FakeFormKit kit;
  auto form = test::StartClient(kit, {{"10.0.0.1", 7000, "Zone A", ""}});

  kit.suiPopupMenu1.Change();
  EXPECT_FALSE(kit.M1.enabled);  // shown: nothing to restore

  kit.TrayIcon1.LeftDown();
  EXPECT_TRUE(kit.app.minimized);
  EXPECT_TRUE(kit.app.taskbarHidden);
  kit.suiPopupMenu1.Change();
  EXPECT_TRUE(kit.M1.enabled);

  kit.TrayIcon1.LeftDown();
  EXPECT_FALSE(kit.app.minimized);
  EXPECT_EQ(kit.app.broughtToFront, 1);
  EXPECT_EQ(kit.TrayIcon1.restoredNotices, 1);

  kit.suiImageButton_Min.Click();
  EXPECT_TRUE(kit.app.minimized);
  kit.M1.Click();
  EXPECT_FALSE(kit.app.minimized);

  // An icon that is not set to hide on minimise keeps the taskbar button.
  kit.TrayIcon1.hideOnMinimize = false;
  kit.app.taskbarHidden = false;
  form->TrayMinimize();
  EXPECT_TRUE(kit.app.minimized);
  EXPECT_FALSE(kit.app.taskbarHidden);
}

TEST(Timer1, SelfUpdateStartsOnlyWithTheUpdaterBesideTheLauncher) {
  FakeFormKit kit;
  auto form = test::StartClient(kit, {{"10.0.0.1", 7000, "Zone A", ""}});

  kit.Timer1.enabled = true;
  form->UpdateStopped = true;
  kit.Timer1.Fire();
  EXPECT_FALSE(kit.Timer1.enabled);
  EXPECT_EQ(kit.updates.selfUpdates, 0);
  EXPECT_TRUE(form->UpdateStopped);
  EXPECT_FALSE(kit.ProgressBarCount.visible);
  EXPECT_TRUE(kit.suiButton1.visible);

  kit.fs.AddFile("C:\\Game\\TarnUp.exe", "MZ");
  kit.Timer1.enabled = true;
  kit.ProgressBarCount.max = 100;
  kit.Timer1.Fire();
  EXPECT_FALSE(kit.Timer1.enabled);
  EXPECT_EQ(kit.updates.selfUpdates, 1);
  EXPECT_FALSE(form->UpdateStopped);
  EXPECT_TRUE(kit.Timer5.enabled);
  EXPECT_TRUE(kit.ProgressBarCount.visible);
  EXPECT_TRUE(kit.Button1.visible);
  EXPECT_FALSE(kit.suiButton1.visible);
  EXPECT_EQ(kit.ProgressBarCount.max, 0);
  EXPECT_EQ(kit.ProgressBarCount.min, 0);
}

}  // namespace
}  // namespace qev
