// The update code over a bare view, with no window at all: the worker arms the run, the
// patch timer fires it, the self-update hands the updater its one quoted argument, and
// the log tells an operator what happened.
#include <gtest/gtest.h>

#include "tests/fakes/FakeThread.h"
#include "tests/fakes/FakeUpdateView.h"
#include "tests/unit/update/UpdateFixtures.h"
#include "update/Updater.h"

namespace qev {
namespace {

using test::Gbk;

constexpr char kUpdateUrl[] = "http://127.0.0.1:8080/tolw3.up";
constexpr char kDef[] = "http://127.0.0.1:8080/p";
constexpr char kWhen[] = "2009-03-01 12:30:00";
constexpr char kLog[] = "C:\\Game\\QevLogin.log";

struct ViewRun : ::testing::Test {
  ViewRun() {
    updater.Attach(view);
    updater.Log.Stamp = [] { return std::string("T"); };
  }
  ~ViewRun() override { threads.RunUntilIdle(); }

  void ArmPatchRun(const std::string& sections) {
    server.Serve(kUpdateUrl, test::UpdateInfoText(
                                 "CheckFix=1\r\nDefURL=" + std::string(kDef) + "\r\n", sections));
    updater.StartUpIP(kUpdateUrl);
    ASSERT_TRUE(threads.RunUntilIdle());
    ASSERT_TRUE(view.Timer(UpdateTimer::PatchRun));
    ASSERT_TRUE(view.updating);
  }
  bool Logged(const std::string& part) { return fs.Contents(kLog).find(part) != std::string::npos; }

  test::MemFileSystem fs;
  test::FakeHttpServer server;
  test::FakeUpdateView view{fs, server};
  test::FakeHttpFactory factory{server};
  test::FakeThreadHost threads;
  TUpdater updater{threads, factory};
};

TEST_F(ViewRun, APatchRunInstallsWhatItCanAndLogsEveryStep) {
  EXPECT_FALSE(view.setup.followRedirects);
  EXPECT_EQ(view.setup.readTimeoutMs, kWindowReadTimeoutMs);
  ArmPatchRun(test::PatchSection("a.dat", "a.dat.zip", "\\", kWhen) +
              test::PatchSection("b.dat", "b.dat.zip", "\\New\\", kWhen));
  server.Fail(std::string(kDef) + "/a.dat.zip", 404, "Not Found");
  server.Serve(std::string(kDef) + "/New/b.dat.zip", "b.dat=bee");
  view.events->PatchTimerFired();

  EXPECT_FALSE(view.Timer(UpdateTimer::PatchRun));
  EXPECT_FALSE(view.updating);
  EXPECT_TRUE(view.messages.empty());  // a 404 skips its file quietly
  EXPECT_FALSE(fs.FileExists("C:\\Game\\a.dat"));
  EXPECT_EQ(fs.Contents("C:\\Game\\New\\b.dat"), "bee");
  EXPECT_EQ(FileTimeAsDateTime(fs, "C:\\Game\\New\\b.dat", 2), test::At(kWhen));
  EXPECT_TRUE(view.Showed(Gbk("补丁更新完成.")));
  EXPECT_TRUE(view.Showed(Gbk("下载进度：") + "9/9"));
  EXPECT_EQ(view.progressMax, 100);  // set for the extraction
  EXPECT_TRUE(view.stopped);         // the launcher is up to date: the run ends stopped

  EXPECT_TRUE(Logged("update info: GET http://127.0.0.1:8080/tolw3.up gave HTTP 200"));
  EXPECT_TRUE(Logged("C:\\Game\\a.dat is out of date"));
  EXPECT_TRUE(Logged("download failed: http://127.0.0.1:8080/p/a.dat.zip: HTTP/1.1 404"));
  EXPECT_TRUE(Logged("patch: replaced C:\\Game\\New\\b.dat"));
  EXPECT_TRUE(Logged("patch run: done"));
}

TEST_F(ViewRun, ATimeOutEndsTheRunWithItsMessageAndFetchesNothingMore) {
  ArmPatchRun(test::PatchSection("a.dat", "a.dat.zip", "\\", kWhen) +
              test::PatchSection("b.dat", "b.dat.zip", "\\", kWhen));
  server.TimeOut(std::string(kDef) + "/a.dat.zip", "Read timed out.", 3);
  server.Serve(std::string(kDef) + "/b.dat.zip", "b.dat=bee");
  view.events->PatchTimerFired();
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0], std::make_pair(2, Gbk("连接自动更新服务器超时，无法完成更新!")));
  EXPECT_EQ(server.RequestedUrls().back(), std::string(kDef) + "/a.dat.zip");
  EXPECT_FALSE(fs.FileExists("C:\\Game\\b.dat"));
  EXPECT_TRUE(view.stopped);
  EXPECT_TRUE(Logged("Read timed out."));
  EXPECT_TRUE(Logged("patch run: stopped"));
}

TEST_F(ViewRun, SelfUpdatePassesANameWithABlankAsOneQuotedArgument) {
  view.launcherPath = "C:\\Game\\My Login.exe";
  const std::string exe = "MZ new launcher";
  updater.Settings.LongURL = "http://127.0.0.1:8080/new.exe";
  updater.Settings.LongCode = test::CrcOfText(exe);
  server.Serve(updater.Settings.LongURL, exe);
  updater.RunSelfUpdate(view);
  EXPECT_EQ(fs.Contents("C:\\Game\\update\\My Login.exe"), exe);
  ASSERT_EQ(view.started.size(), 1u);
  EXPECT_EQ(view.started[0].program, "C:\\Game\\TarnUp.exe");
  EXPECT_EQ(view.started[0].parameters, "\"My Login.exe\"");
  EXPECT_EQ(view.started[0].directory, "C:\\Game\\");
  EXPECT_TRUE(view.ended);
  EXPECT_EQ(view.messages.back(), std::make_pair(4, Gbk("更新完成，请重新打开登录器...")));
  EXPECT_TRUE(Logged("staged launcher CRC " + updater.Settings.LongCode + ", LongCode " +
                     updater.Settings.LongCode));
}

TEST_F(ViewRun, AStopFromTheButtonDropsTheTransferAndRestoresTheControls) {
  ArmPatchRun(test::PatchSection("a.dat", "a.dat.zip", "\\", kWhen) +
              test::PatchSection("b.dat", "b.dat.zip", "\\", kWhen));
  server.chunkSize = 2;
  server.Serve(std::string(kDef) + "/a.dat.zip", "a.dat=a long enough body");
  server.Serve(std::string(kDef) + "/b.dat.zip", "b.dat=bee");
  view.answers = {false, true};  // the first press is taken back, the second stands
  int presses = 0;
  view.onPump = [&] {
    if (!view.stopped && presses < 2 && view.progressPosition >= 4) {
      ++presses;
      view.events->StopButtonClicked();
    }
  };
  view.events->PatchTimerFired();
  EXPECT_EQ(presses, 2);
  EXPECT_EQ(view.questions.size(), 2u);
  EXPECT_TRUE(view.stopped);
  EXPECT_FALSE(view.updating);
  EXPECT_EQ(server.RequestedUrls().size(), 2u);  // the update info and the first archive
  EXPECT_FALSE(fs.FileExists("C:\\Game\\a.dat"));
  view.events->StopWatchFired();
  EXPECT_FALSE(view.Timer(UpdateTimer::StopWatch));
}

}  // namespace
}  // namespace qev
