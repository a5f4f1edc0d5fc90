// Whole patch runs: the worker arms the run, Timer4 fires it, and the fake server plays
// the patch host (serving, failing with a status, cutting bodies short, timing out,
// stalling) while scripted clicks and ticks arrive through the message pump.
#include <gtest/gtest.h>

#include <random>

#include "tests/unit/update/FormHarness.h"
#include "tests/unit/update/TestZip.h"
#include "tests/unit/update/UpdateFixtures.h"
#include "update/UpdateInfo.h"

namespace qev {
namespace {

using test::Gbk;

constexpr char kUpdateUrl[] = "http://127.0.0.1:8080/tolw3.up";
constexpr char kDef[] = "http://127.0.0.1:8080/p";
constexpr char kWhen[] = "2009-03-01 12:30:00";

std::string Noise(size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(gen());
  return s;
}

struct PatchRun : ::testing::Test {
  // The worker reads the list and arms the run; launcherOutOfDate adds a mismatching
  // LongCode.
  void Arm(const std::string& sections, bool launcherOutOfDate = false) {
    h.fs.AddFile(h.values.ConfigFileName, test::ConfigText(kUpdateUrl, {"Zone1"}));
    h.fs.AddFile(h.app.exeName, "MZ launcher");
    std::string lines = "CheckFix=1\r\nDefURL=" + std::string(kDef) + "\r\n";
    if (launcherOutOfDate)
      lines += "CheckLong=1\r\nLongURL=http://127.0.0.1:8080/l.exe\r\nLongCode=99\r\n";
    h.httpServer.Serve(kUpdateUrl, test::UpdateInfoText(lines, sections));
    ASSERT_TRUE(h.CreateAndSettle());
    ASSERT_TRUE(h.Timer4.enabled);
  }
  void ServeArchive(const std::string& urlPath, const std::string& member,
                    const std::string& content) {
    h.httpServer.Serve(kDef + urlPath, test::MakeZip({{member, content}}));
  }
  void Run() {
    h.Timer4.Tick();
    EXPECT_FALSE(h.Timer4.enabled);
  }
  bool ZtShowed(const std::string& text) {
    for (const auto& t : h.ZT.history)
      if (t == text) return true;
    return false;
  }
  bool UpToDate(const std::string& path) {
    return FileTimeAsDateTime(h.fs, path, 2) == test::At(kWhen);
  }
  void ExpectControlsRestored() {
    EXPECT_FALSE(h.Button1.visible);
    EXPECT_FALSE(h.ProgressBarCount.visible);
    EXPECT_TRUE(h.suiButton1.visible);
  }

  test::FormHarness h;
};

TEST_F(PatchRun, FetchesStampsAndInstallsEveryOutOfDateFile) {
  h.fs.AddFile("C:\\Game\\Data\\Wav.pak", "old wav", test::TicksAt("2008-01-01 00:00:00"));
  h.fs.AddFile("C:\\Game\\b.dat", "current b", test::TicksAt(kWhen, 30000));
  Arm(test::PatchSection("b.dat", "b.dat.zip", "\\", kWhen) +
      test::PatchSection("a.dat", "a.dat.zip", "\\", kWhen) +
      test::PatchSection("Wav.pak", "Wav.pak.zip", "\\Data\\", kWhen) +
      test::PatchSection("deep.dat", "deep.dat.zip", "\\New1\\New2\\", kWhen));
  const std::string wav = Noise(10000, 1);
  ServeArchive("/a.dat.zip", "a.dat", "new a");
  const std::string wavZip = test::MakeZip({{"sub/Wav.pak", wav}});
  h.httpServer.Serve(std::string(kDef) + "/Data/Wav.pak.zip", wavZip);
  ServeArchive("/New1/New2/deep.dat.zip", "deep.dat", "deep content");
  Run();

  EXPECT_EQ(h.httpServer.RequestedUrls(),
            (std::vector<std::string>{kUpdateUrl, std::string(kDef) + "/a.dat.zip",
                                      std::string(kDef) + "/Data/Wav.pak.zip",
                                      std::string(kDef) + "/New1/New2/deep.dat.zip"}));
  EXPECT_EQ(h.fs.Contents("C:\\Game\\a.dat"), "new a");
  EXPECT_EQ(h.fs.Contents("C:\\Game\\Data\\Wav.pak"), wav);
  EXPECT_EQ(h.fs.Contents("C:\\Game\\New1\\New2\\deep.dat"), "deep content");
  EXPECT_EQ(h.fs.Contents("C:\\Game\\b.dat"), "current b");
  for (const char* path :
       {"C:\\Game\\a.dat", "C:\\Game\\Data\\Wav.pak", "C:\\Game\\New1\\New2\\deep.dat"})
    EXPECT_TRUE(UpToDate(path)) << path;   // the next start fetches none of them again
  // staging holds nothing but the update-info copy (the eighth file is the update log)
  EXPECT_EQ(h.fs.ListFiles().size(), 8u);
  EXPECT_TRUE(h.fs.FileExists("C:\\Game\\QevLogin.log"));
  EXPECT_TRUE(ZtShowed(Gbk("补丁更新完成.")));
  EXPECT_TRUE(ZtShowed(Gbk("正在连接服务器...")));
  EXPECT_TRUE(ZtShowed(Gbk("正在解压文件...")));
  EXPECT_TRUE(ZtShowed(Gbk("下载进度：") + "8192/" + std::to_string(wavZip.size())));
  EXPECT_TRUE(h.MessForm.shown.empty());
  EXPECT_TRUE(h.form->UpdateStopped);  // launcher up to date: the run ends stopped
  EXPECT_FALSE(h.Timer1.enabled);
  ExpectControlsRestored();
  EXPECT_EQ(h.values.PatchList.size(), 3u);  // the run does not change the list
}

TEST_F(PatchRun, FailedDownloadsSkipOnlyTheirFile) {
  Arm(test::PatchSection("a.dat", "a.dat.zip", "\\", kWhen) +
      test::PatchSection("b.dat", "b.dat.zip", "\\", kWhen) +
      test::PatchSection("c.dat", "c.dat.zip", "\\", kWhen) +
      test::PatchSection("d.dat", "d.dat.zip", "\\", kWhen));
  h.httpServer.Fail(std::string(kDef) + "/a.dat.zip", 404, "Not Found");
  h.httpServer.ServeShort(std::string(kDef) + "/b.dat.zip", test::MakeZip({{"b.dat", "b"}}),
                          100000);
  h.httpServer.Refuse(std::string(kDef) + "/c.dat.zip");
  ServeArchive("/d.dat.zip", "d.dat", "new d");
  Run();
  EXPECT_FALSE(h.fs.FileExists("C:\\Game\\a.dat"));
  EXPECT_FALSE(h.fs.FileExists("C:\\Game\\b.dat"));
  EXPECT_FALSE(h.fs.FileExists("C:\\Game\\c.dat"));
  EXPECT_EQ(h.fs.Contents("C:\\Game\\d.dat"), "new d");
  EXPECT_TRUE(h.MessForm.shown.empty());
  EXPECT_TRUE(h.form->UpdateStopped);
}

TEST_F(PatchRun, TimeOutEndsTheRunWithItsMessage) {
  Arm(test::PatchSection("a.dat", "a.dat.zip", "\\", kWhen) +
          test::PatchSection("b.dat", "b.dat.zip", "\\", kWhen),
      true);
  h.httpServer.TimeOut(std::string(kDef) + "/a.dat.zip", "Read timed out.", 5000);
  ServeArchive("/b.dat.zip", "b.dat", "new b");
  Run();
  ASSERT_EQ(h.MessForm.shown.size(), 1u);
  EXPECT_EQ(h.MessForm.shown[0].icon, TMessForm::Icon::Stop);
  EXPECT_EQ(h.MessForm.shown[0].text, Gbk("连接自动更新服务器超时，无法完成更新!"));
  EXPECT_EQ(h.httpServer.RequestedUrls().size(), 2u);  // the update-info file and a.dat.zip
  EXPECT_FALSE(h.fs.FileExists("C:\\Game\\b.dat"));
  EXPECT_TRUE(h.form->UpdateStopped);
  EXPECT_FALSE(h.Timer1.enabled);  // no self-update after a time-out
  ExpectControlsRestored();
}

TEST_F(PatchRun, StopButtonDuringATransferFetchesNothingMore) {
  Arm(test::PatchSection("a.dat", "a.dat.zip", "\\", kWhen) +
          test::PatchSection("b.dat", "b.dat.zip", "\\", kWhen),
      true);
  h.httpServer.chunkSize = 1024;
  ServeArchive("/a.dat.zip", "a.dat", Noise(20000, 2));
  ServeArchive("/b.dat.zip", "b.dat", "new b");
  bool clicked = false;
  h.app.onPump = [&] {
    if (!clicked && h.ZT.text.rfind(Gbk("下载进度："), 0) == 0) {
      clicked = true;
      h.Button1.OnClick();
      // The button is gone at once, before the transfer has even ended.
      EXPECT_TRUE(h.suiButton1.visible);
      EXPECT_FALSE(h.Button1.visible);
    }
  };
  Run();
  ASSERT_TRUE(clicked);
  ASSERT_EQ(h.suiMessageDialog1.shown.size(), 1u);
  EXPECT_EQ(h.suiMessageDialog1.shown[0].caption, Gbk("登录器自动更新"));
  EXPECT_EQ(h.suiMessageDialog1.shown[0].text,
            Gbk("登录器不更新可能无法正常游戏，真的要取消更新吗？"));
  EXPECT_EQ(h.httpServer.RequestedUrls().size(), 2u);
  EXPECT_FALSE(h.fs.FileExists("C:\\Game\\a.dat"));
  EXPECT_FALSE(h.fs.FileExists("C:\\Game\\b.dat"));
  EXPECT_TRUE(h.MessForm.shown.empty());
  EXPECT_FALSE(h.Timer1.enabled);  // phase 3 skipped
  EXPECT_TRUE(h.form->UpdateStopped);
  h.Timer5.Tick();
  EXPECT_FALSE(h.Timer5.enabled);
}

TEST_F(PatchRun, StopDuringTheLastFileStillRunsTheLauncherCheck) {
  Arm(test::PatchSection("a.dat", "a.dat.zip", "\\", kWhen), true);
  h.httpServer.chunkSize = 1024;
  ServeArchive("/a.dat.zip", "a.dat", Noise(20000, 3));
  h.app.onPump = [&] {
    if (!h.form->UpdateStopped && h.ZT.text.rfind(Gbk("下载进度："), 0) == 0) h.Button1.OnClick();
  };
  Run();
  EXPECT_FALSE(h.fs.FileExists("C:\\Game\\a.dat"));
  EXPECT_TRUE(h.Timer1.enabled);
}

TEST_F(PatchRun, WatchdogDropsAStalledTransferAfterTheStopButton) {
  Arm(test::PatchSection("a.dat", "a.dat.zip", "\\", kWhen) +
      test::PatchSection("b.dat", "b.dat.zip", "\\", kWhen));
  h.httpServer.Stall(std::string(kDef) + "/a.dat.zip", 0, 1000);
  ServeArchive("/b.dat.zip", "b.dat", "new b");
  int rounds = 0;
  h.app.onPump = [&] {
    ++rounds;
    if (rounds == 5) h.Button1.OnClick();
    h.Timer5.Tick();  // the one-second watchdog
  };
  Run();
  EXPECT_LT(rounds, 20);  // dropped by the watchdog, not by the read time-out
  EXPECT_FALSE(h.Timer5.enabled);
  EXPECT_TRUE(h.MessForm.shown.empty());
  EXPECT_EQ(h.httpServer.RequestedUrls().size(), 2u);
}

TEST_F(PatchRun, ALockedTargetStaysWholeAndIsNotReportedInstalled) {
  h.fs.AddFile("C:\\Game\\a.dat", "old a", test::TicksAt("2008-01-01 00:00:00"));
  Arm(test::PatchSection("a.dat", "a.dat.zip", "\\", kWhen));
  ServeArchive("/a.dat.zip", "a.dat", "new a");
  h.fs.Lock("C:\\Game\\a.dat");
  Run();
  h.fs.Lock("C:\\Game\\a.dat", false);
  EXPECT_EQ(h.fs.Contents("C:\\Game\\a.dat"), "old a");
  EXPECT_FALSE(ZtShowed(Gbk("补丁更新完成.")));
  EXPECT_FALSE(UpToDate("C:\\Game\\a.dat"));  // fetched again at the next start
  EXPECT_EQ(h.fs.ListFiles().size(), 5u);     // no temporary copy beside the target; the log
  EXPECT_NE(h.fs.Contents("C:\\Game\\QevLogin.log").find("could not replace C:\\Game\\a.dat"),
            std::string::npos);
}

TEST_F(PatchRun, ArchiveWithoutTheExpectedMemberInstallsNothing) {
  h.fs.AddFile("C:\\Game\\a.dat", "old a", test::TicksAt("2008-01-01 00:00:00"));
  Arm(test::PatchSection("a.dat", "a.dat.zip", "\\", kWhen));
  ServeArchive("/a.dat.zip", "other.dat", "x");
  Run();
  EXPECT_EQ(h.fs.Contents("C:\\Game\\a.dat"), "old a");
  EXPECT_FALSE(ZtShowed(Gbk("补丁更新完成.")));
  EXPECT_TRUE(h.fs.FileExists("C:\\Game\\update\\a.dat.zip"));  // left for inspection
}

TEST_F(PatchRun, LeftoverStagedFileIsKeptWhenReplacingIsRefused) {
  Arm(test::PatchSection("a.dat", "a.dat.zip", "\\", kWhen));
  h.fs.AddFile("C:\\Game\\update\\a.dat", "leftover");
  ServeArchive("/a.dat.zip", "a.dat", "new a");
  h.boxes.answers = {SystemDialogs::kIdNo};
  Run();
  ASSERT_FALSE(h.boxes.shown.empty());
  EXPECT_EQ(h.boxes.shown[0].caption, "File Exists Alert");
  EXPECT_EQ(h.boxes.shown[0].text, "Replace existing file a.dat?");
  EXPECT_EQ(h.fs.Contents("C:\\Game\\a.dat"), "leftover");
  EXPECT_TRUE(UpToDate("C:\\Game\\a.dat"));
}

}  // namespace
}  // namespace qev
