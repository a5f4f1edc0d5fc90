// Whole runs of the update worker against a fake main window: the worker really runs on
// its own thread and every visible step is handed to the test's thread.
#include <gtest/gtest.h>

#include "tests/unit/update/FormHarness.h"
#include "tests/unit/update/UpdateFixtures.h"

namespace qev {
namespace {

using test::Gbk;

constexpr char kUpdateUrl[] = "http://127.0.0.1:8080/tolw3.up";
constexpr char kIniUrl[] = "http://127.0.0.1:8080/tolw3.inf";
const std::string kLauncher = "MZ old launcher";

struct WorkerRun : ::testing::Test {
  void Install(const std::vector<std::string>& captions) {
    oldConfig = test::ConfigText(kUpdateUrl, captions);
    h.fs.AddFile(h.values.ConfigFileName, oldConfig);
    h.fs.AddFile(h.app.exeName, kLauncher);
  }
  void ServeInfo(const std::string& lines, const std::string& sections = "") {
    h.httpServer.Serve(kUpdateUrl, test::UpdateInfoText(lines, sections));
  }
  std::string ZoneLines(const std::string& iniCode) {
    return "CheckIni=1\r\nIniURL=" + std::string(kIniUrl) + "\r\nIniCode=" + iniCode + "\r\n";
  }
  bool Requested(const std::string& url) {
    for (const auto& u : h.httpServer.RequestedUrls())
      if (u == url) return true;
    return false;
  }

  test::FormHarness h;
  std::string oldConfig;
};

TEST_F(WorkerRun, ZoneListReplacedAndReloadedOnYes) {
  Install({"Old1", "Old2"});
  const std::string fresh = test::ConfigText(kUpdateUrl, {"New1", "New2", "New3"});
  h.httpServer.Serve(kIniUrl, fresh);
  ServeInfo(ZoneLines(test::CrcOfText(fresh)));
  ASSERT_TRUE(h.CreateAndSettle());

  ASSERT_EQ(h.suiMessageDialog1.shown.size(), 1u);
  EXPECT_EQ(h.suiMessageDialog1.shown[0].caption, Gbk("游戏区组更新提示"));
  EXPECT_EQ(h.suiMessageDialog1.shown[0].text, Gbk("是否更新？不更新可能无法正常游戏"));
  EXPECT_EQ(h.fs.Contents(h.values.ConfigFileName), fresh);
  EXPECT_FALSE(h.fs.FileExists("C:\\Game\\update\\tolw3.inf"));
  EXPECT_EQ(h.combo1.rows,
            (std::vector<std::string>{"New1", "New2  " + Gbk("分区列表更新完成.."), "New3"}));
  ASSERT_EQ(h.values.ServerList.size(), 3u);
  EXPECT_EQ(h.values.ServerList[2]->ServerAddress, "127.0.0.3");
}

TEST_F(WorkerRun, ZoneListAnswerNoKeepsRowsButInstallsTheFile) {
  Install({"Old1", "Old2"});
  const std::string fresh = test::ConfigText(kUpdateUrl, {"New1", "New2"});
  h.httpServer.Serve(kIniUrl, fresh);
  ServeInfo(ZoneLines(test::CrcOfText(fresh)));
  h.suiMessageDialog1.answers = {TMessageDialog::kNo};
  ASSERT_TRUE(h.CreateAndSettle());
  EXPECT_EQ(h.combo1.rows, (std::vector<std::string>{"Old1", "Old2"}));
  EXPECT_EQ(h.fs.Contents(h.values.ConfigFileName), fresh);
}

TEST_F(WorkerRun, ReloadWithASingleServerRelabelsNothing) {
  Install({"Old1", "Old2"});
  const std::string fresh = test::ConfigText(kUpdateUrl, {"Only"});
  h.httpServer.Serve(kIniUrl, fresh);
  ServeInfo(ZoneLines(test::CrcOfText(fresh)));
  ASSERT_TRUE(h.CreateAndSettle());
  EXPECT_EQ(h.combo1.rows, (std::vector<std::string>{"Only"}));
}

TEST_F(WorkerRun, BadZoneListChecksumWarnsAndKeepsTheOldFile) {
  Install({"Old1", "Old2"});
  const std::string fresh = test::ConfigText(kUpdateUrl, {"New1", "New2"});
  h.httpServer.Serve(kIniUrl, fresh);
  ServeInfo(ZoneLines("12345"));
  ASSERT_TRUE(h.CreateAndSettle());
  ASSERT_EQ(h.MessForm.shown.size(), 1u);
  EXPECT_EQ(h.MessForm.shown[0].icon, TMessForm::Icon::Warning);
  EXPECT_EQ(h.MessForm.shown[0].text,
            Gbk("分区列表校验失败,这可能会影响你正常游戏,请联系游戏客服解决."));
  EXPECT_TRUE(h.suiMessageDialog1.shown.empty());
  EXPECT_EQ(h.fs.Contents(h.values.ConfigFileName), oldConfig);
  EXPECT_EQ(h.fs.Contents("C:\\Game\\Update\\TOLW3.inf"), fresh);
  EXPECT_EQ(h.combo1.rows, (std::vector<std::string>{"Old1", "Old2"}));
}

TEST_F(WorkerRun, ZoneListSkippedWhenCodeMatchesOrIsMissing) {
  Install({"Old1"});
  ServeInfo(ZoneLines(test::CrcOfText(test::ConfigText(kUpdateUrl, {"Old1"}))));
  ASSERT_TRUE(h.CreateAndSettle());
  EXPECT_FALSE(Requested(kIniUrl));

  test::FormHarness h2;
  h2.fs.AddFile(h2.values.ConfigFileName, test::ConfigText(kUpdateUrl, {"Old1"}));
  h2.fs.AddFile(h2.app.exeName, kLauncher);
  h2.httpServer.Serve(
      kUpdateUrl, test::UpdateInfoText("CheckIni=1\r\nIniURL=" + std::string(kIniUrl) + "\r\n"));
  ASSERT_TRUE(h2.CreateAndSettle());
  EXPECT_EQ(h2.httpServer.RequestedUrls(), std::vector<std::string>{kUpdateUrl});
}

TEST_F(WorkerRun, PendingPatchAsksThenArmsTheRunAndLeavesTheLauncherCheckToIt) {
  Install({"Old1"});
  ServeInfo(
      "CheckFix=1\r\nDefURL=http://127.0.0.1:8080/p\r\nEnableCue=1\r\n"
      "CheckLong=1\r\nLongURL=http://127.0.0.1:8080/l.exe\r\nLongCode=99\r\n",
      test::PatchSection("a.dat", "a.dat.zip", "\\", "2009-03-01 12:30:00"));
  ASSERT_TRUE(h.CreateAndSettle());
  ASSERT_EQ(h.suiMessageDialog1.shown.size(), 1u);
  EXPECT_EQ(h.suiMessageDialog1.shown[0].caption, Gbk("游戏补丁更新提示"));
  EXPECT_EQ(h.suiMessageDialog1.shown[0].text, Gbk("是否现在更新（不更新可能影响正常游戏）！？"));
  EXPECT_TRUE(h.Timer4.enabled);
  EXPECT_TRUE(h.Timer5.enabled);
  EXPECT_TRUE(h.ProgressBarCount.visible);
  EXPECT_TRUE(h.Button1.visible);
  EXPECT_FALSE(h.suiButton1.visible);
  EXPECT_FALSE(h.Timer1.enabled);
  EXPECT_TRUE(h.fs.DirExists("C:\\Game\\update"));
}

TEST_F(WorkerRun, PatchQuestionAnsweredNoArmsNothing) {
  Install({"Old1"});
  ServeInfo("CheckFix=1\r\nDefURL=http://127.0.0.1:8080/p\r\nEnableCue=1\r\n",
            test::PatchSection("a.dat", "a.dat.zip", "\\", "2009-03-01 12:30:00"));
  h.suiMessageDialog1.answers = {TMessageDialog::kNo};
  ASSERT_TRUE(h.CreateAndSettle());
  EXPECT_FALSE(h.Timer4.enabled);
  EXPECT_FALSE(h.Timer5.enabled);
  EXPECT_TRUE(h.suiButton1.visible);
}

TEST_F(WorkerRun, UpToDatePatchesLetTheWorkerArmTheSelfUpdate) {
  Install({"Old1"});
  h.fs.AddFile("C:\\Game\\a.dat", "a", test::TicksAt("2009-03-01 12:30:00"));
  ServeInfo(
      "CheckFix=1\r\nDefURL=http://127.0.0.1:8080/p\r\n"
      "CheckLong=1\r\nLongURL=http://127.0.0.1:8080/l.exe\r\nLongCode=99\r\n",
      test::PatchSection("a.dat", "a.dat.zip", "\\", "2009-03-01 12:30:00"));
  ASSERT_TRUE(h.CreateAndSettle());
  EXPECT_TRUE(h.suiMessageDialog1.shown.empty());
  EXPECT_FALSE(h.Timer4.enabled);
  EXPECT_TRUE(h.Timer1.enabled);
}

TEST_F(WorkerRun, CurrentLauncherOrNoUpdateUrlStartsNothing) {
  Install({"Old1"});
  ServeInfo("CheckLong=1\r\nLongURL=http://127.0.0.1:8080/l.exe\r\nLongCode=" +
            test::CrcOfText(kLauncher) + "\r\n");
  ASSERT_TRUE(h.CreateAndSettle());
  EXPECT_FALSE(h.Timer1.enabled);

  test::FormHarness h2;
  h2.fs.AddFile(h2.values.ConfigFileName, test::ConfigText("", {"Old1"}));
  ASSERT_TRUE(h2.CreateAndSettle());
  EXPECT_TRUE(h2.httpServer.RequestedUrls().empty());
  EXPECT_TRUE(h2.fs.DirExists("C:\\Game\\update"));  // the folder worker ran anyway
}

}  // namespace
}  // namespace qev
