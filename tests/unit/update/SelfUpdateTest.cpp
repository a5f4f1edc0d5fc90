// The launcher's own update, started through Timer1 either by the worker or at the end
// of a patch run: download, check against LongCode, completion message, updater start.
#include <gtest/gtest.h>

#include "tests/unit/update/FormHarness.h"
#include "tests/unit/update/TestZip.h"
#include "tests/unit/update/UpdateFixtures.h"
#include "update/SelfUpdate.h"

namespace qev {
namespace {

using test::Gbk;

constexpr char kUpdateUrl[] = "http://127.0.0.1:8080/tolw3.up";
const std::string kNewLauncher = "MZ the new launcher, version 2";

struct SelfUpdate : ::testing::Test {
  explicit SelfUpdate(const std::string& exeName = "QevLogin.exe") {
    h.app.exeName = "C:\\Game\\" + exeName;
  }
  // The worker finds the launcher out of date and arms Timer1.
  void Arm(const std::string& longUrl, const std::string& longCode,
           const std::string& sections = "") {
    h.fs.AddFile(h.values.ConfigFileName, test::ConfigText(kUpdateUrl, {"Zone1"}));
    h.fs.AddFile(h.app.exeName, "MZ old launcher");
    h.fs.AddFile("C:\\Game\\TarnUp.exe", "MZ updater");
    std::string lines = "CheckLong=1\r\nLongURL=" + longUrl + "\r\nLongCode=" + longCode + "\r\n";
    if (!sections.empty()) lines += "CheckFix=1\r\nDefURL=http://127.0.0.1:8080/p\r\n";
    h.httpServer.Serve(kUpdateUrl, test::UpdateInfoText(lines, sections));
    ASSERT_TRUE(h.CreateAndSettle());
  }
  void FireTimer1() {
    ASSERT_TRUE(h.Timer1.enabled);
    h.Timer1.Tick();
  }
  void ExpectUpdaterStarted(const std::string& name) {
    ASSERT_FALSE(h.MessForm.shown.empty());
    EXPECT_EQ(h.MessForm.shown.back().icon, TMessForm::Icon::None);
    EXPECT_EQ(h.MessForm.shown.back().text, Gbk("更新完成，请重新打开登录器..."));
    ASSERT_EQ(h.shell.calls.size(), 1u);
    EXPECT_EQ(h.shell.calls[0].file, "C:\\Game\\TarnUp.exe");
    EXPECT_EQ(h.shell.calls[0].parameters, "\"" + name + "\"");
    EXPECT_EQ(h.shell.calls[0].directory, "C:\\Game\\");
    EXPECT_TRUE(h.app.terminated);
  }
  void ExpectNothingInstalled() {
    EXPECT_TRUE(h.shell.calls.empty());
    EXPECT_FALSE(h.app.terminated);
    EXPECT_TRUE(h.form->UpdateStopped);
  }

  test::FormHarness h;
};

TEST_F(SelfUpdate, ChainedAfterAPatchRun) {
  const std::string url = "http://127.0.0.1:8080/QevLogin.exe";
  Arm(url, test::CrcOfText(kNewLauncher),
      test::PatchSection("a.dat", "a.dat.zip", "\\", "2009-03-01 12:30:00"));
  h.httpServer.Serve("http://127.0.0.1:8080/p/a.dat.zip", test::MakeZip({{"a.dat", "a"}}));
  h.httpServer.Serve(url, kNewLauncher);
  EXPECT_FALSE(h.Timer1.enabled);  // the worker left the launcher check to the run
  h.Timer4.Tick();
  EXPECT_EQ(h.fs.Contents("C:\\Game\\a.dat"), "a");
  FireTimer1();
  EXPECT_EQ(h.fs.Contents("C:\\Game\\update\\QevLogin.exe"), kNewLauncher);
  EXPECT_EQ(h.fs.Contents(h.app.exeName), "MZ old launcher");  // the updater copies it later
  EXPECT_TRUE(std::find(h.ZT.history.begin(), h.ZT.history.end(),
                        Gbk("下载完毕，正在解压新的登录器...")) != h.ZT.history.end());
  ExpectUpdaterStarted("QevLogin.exe");
}

TEST_F(SelfUpdate, FromAnArchiveWhateverTheCaseOfItsExtension) {
  const std::string url = "http://127.0.0.1:8080/Login.ZIP";
  Arm(url, test::CrcOfText(kNewLauncher));
  h.httpServer.Serve(url, test::MakeZip({{"bin/QevLogin.exe", kNewLauncher}}));
  h.fs.AddFile("C:\\Game\\update\\QevLogin.exe", "MZ stale copy of an earlier run");
  FireTimer1();
  EXPECT_TRUE(h.fs.FileExists("C:\\Game\\update\\QevLogin.exe.zip"));
  EXPECT_EQ(h.fs.Contents("C:\\Game\\update\\QevLogin.exe"), kNewLauncher);
  EXPECT_TRUE(h.boxes.shown.empty());  // the stale copy was not even asked about
  ExpectUpdaterStarted("QevLogin.exe");
}

struct RenamedSelfUpdate : SelfUpdate {
  RenamedSelfUpdate() : SelfUpdate("MyLogin.exe") {}
};

TEST_F(RenamedSelfUpdate, PassesTheLaunchersOwnNameToTheUpdater) {
  const std::string url = "http://127.0.0.1:8080/new.exe";
  Arm(url, test::CrcOfText(kNewLauncher));
  h.httpServer.Serve(url, kNewLauncher);
  FireTimer1();
  EXPECT_EQ(h.fs.Contents("C:\\Game\\update\\MyLogin.exe"), kNewLauncher);
  ExpectUpdaterStarted("MyLogin.exe");
}

TEST_F(SelfUpdate, FailingLongUrlReportsTheClientsError) {
  const std::string url = "http://127.0.0.1:8080/QevLogin.exe";
  Arm(url, test::CrcOfText(kNewLauncher));
  h.httpServer.Fail(url, 404, "Not Found");
  FireTimer1();
  ASSERT_EQ(h.MessForm.shown.size(), 1u);
  EXPECT_EQ(h.MessForm.shown[0].icon, TMessForm::Icon::Stop);
  EXPECT_EQ(h.MessForm.shown[0].text,
            Gbk("更新登录器失败，请联系管理员，原因：") + "\r\nHTTP/1.1 404 Not Found");
  ExpectNothingInstalled();
  EXPECT_TRUE(h.Button1.visible);  // until the player uses it
}

// Whatever arrives at LongURL must match LongCode before the updater may copy it.
void ExpectRejected(SelfUpdate& t, const std::string& body) {
  test::FormHarness& h = t.h;
  const std::string url = "http://127.0.0.1:8080/QevLogin.exe";
  t.Arm(url, test::CrcOfText(kNewLauncher));
  h.httpServer.Serve(url, body);
  t.FireTimer1();
  ASSERT_EQ(h.MessForm.shown.size(), 1u);
  EXPECT_EQ(h.MessForm.shown[0].icon, TMessForm::Icon::Stop);
  EXPECT_EQ(h.MessForm.shown[0].text, Gbk("更新登录器失败，请联系管理员，原因：") + "\r\n" +
                                          Gbk("下载的登录器文件校验失败。"));
  t.ExpectNothingInstalled();
  EXPECT_FALSE(h.fs.FileExists("C:\\Game\\update\\QevLogin.exe"));
}

TEST_F(SelfUpdate, APageServedInsteadOfTheLauncherIsRejected) {
  ExpectRejected(*this, "<html>busy</html>");
}

TEST_F(SelfUpdate, AnArchiveBehindAPlainUrlNeverReachesTheExecutablesPlace) {
  ExpectRejected(*this, test::MakeZip({{"QevLogin.exe", kNewLauncher}}));
}

TEST_F(SelfUpdate, StopDuringTheDownloadShowsNoFailure) {
  const std::string url = "http://127.0.0.1:8080/QevLogin.exe";
  Arm(url, test::CrcOfText(kNewLauncher));
  h.httpServer.chunkSize = 4;
  h.httpServer.Serve(url, kNewLauncher);
  h.app.onPump = [&] {
    if (!h.form->UpdateStopped && h.ZT.text.rfind(Gbk("下载进度："), 0) == 0) h.Button1.OnClick();
  };
  FireTimer1();
  EXPECT_TRUE(h.MessForm.shown.empty());
  ExpectNothingInstalled();
  EXPECT_TRUE(h.suiButton1.visible);
}

TEST_F(SelfUpdate, MissingUpdaterMeansNoSelfUpdate) {
  const std::string url = "http://127.0.0.1:8080/QevLogin.exe";
  Arm(url, test::CrcOfText(kNewLauncher));
  h.fs.Delete("C:\\Game\\TarnUp.exe");
  h.httpServer.Serve(url, kNewLauncher);
  FireTimer1();
  EXPECT_EQ(h.httpServer.RequestedUrls().size(), 1u);
  EXPECT_TRUE(h.MessForm.shown.empty());
  EXPECT_FALSE(h.Button1.visible);
}

TEST(IsArchiveUrl, IgnoresCase) {
  EXPECT_TRUE(IsArchiveUrl("http://h/a.zip"));
  EXPECT_TRUE(IsArchiveUrl("http://h/a.Zip"));
  EXPECT_FALSE(IsArchiveUrl("http://h/a.exe"));
  EXPECT_FALSE(IsArchiveUrl("zip"));
}

}  // namespace
}  // namespace qev
