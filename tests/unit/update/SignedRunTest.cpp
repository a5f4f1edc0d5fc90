// Whole update runs of a launcher whose configuration file pins a key, over the recording
// view: the worker, the patch timer and the self-update with the real guard and libcrypto.
// A signed update installs; a changed archive, a changed update-info file, an older serial
// and a zone list with a foreign key are each refused with every file as it was and one
// message; without a key an unsigned folder still works. Archive digests were computed
// apart from the code (Python's hashlib).

#include <gtest/gtest.h>

#include "posix/OpenSslCrypto.h"
#include "tests/fakes/FakeThread.h"
#include "tests/fakes/FakeUpdateView.h"
#include "tests/unit/update/CryptoChecks.h"
#include "tests/unit/update/UpdateFixtures.h"
#include "update/SignedUpdate.h"
#include "update/UpdateGuard.h"
#include "update/Updater.h"

namespace qev {
namespace {

constexpr char kUpdateUrl[] = "http://127.0.0.1:8080/tolw3.up";
constexpr char kDef[] = "http://127.0.0.1:8080/p";
constexpr char kWhen[] = "2009-03-01 12:30:00";
constexpr char kArchive[] = "b.dat=bee";  // the fake view's archive form
constexpr char kArchiveSha[] = "7c8b27ce4b768946ad85382ca0b907ce794e0099a7df0d011414a715fa859e17";
constexpr char kLauncher[] = "QevLogin.exe=new";
constexpr char kLauncherSha[] = "1705ca1cfbe53ef4648fcc7af03c0b9b432823aeab8746102b86739676ff3f26";
constexpr char kConfig[] = "C:\\Game\\tolw3.inf";
constexpr char kSerial[] = "C:\\Game\\tolw3.serial";
constexpr char kStoredInfo[] = "C:\\Game\\update\\tolw3.up";

std::string Signed(const std::string& text, size_t key = 0) {
  OpenSslCrypto c;
  EcKeyPair k;
  k.Private = test::FromHex<32>(test::kKeys[key].Private);
  k.Public = test::FromHex<64>(test::kKeys[key].Public);
  std::string out;
  EXPECT_TRUE(AppendSignature(c, k, text, out));
  return out;
}

std::string PinnedConfig(const std::string& key) {
  return test::ConfigText(kUpdateUrl, {"one", "two"}) + "[LoginInfo]\r\nUpdateKey=" + key + "\r\n";
}

struct SignedRun : ::testing::Test {
  SignedRun() {
    fs.AddFile(kConfig, PinnedConfig(test::kKeys[0].Public));
    updater.Attach(view);
    updater.Log.Stamp = [] { return std::string("T"); };
  }
  ~SignedRun() override { threads.RunUntilIdle(); }

  // Settings lines, then one patch \New\b.dat whose archive digest is sha.
  std::string Info(int serial, const std::string& extra = "",
                   const std::string& sha = kArchiveSha) {
    return test::UpdateInfoText(
        "CheckFix=1\r\nDefURL=" + std::string(kDef) + "\r\nSerial=" + std::to_string(serial) +
            "\r\n" + extra,
        test::PatchSection("b.dat", "b.dat.zip", "\\New\\", kWhen) + "Sha256=" + sha + "\r\n");
  }
  void Run(const std::string& served) {
    server.Serve(kUpdateUrl, served);
    updater.StartUpIP(kUpdateUrl);
    ASSERT_TRUE(threads.RunUntilIdle());
    if (view.Timer(UpdateTimer::PatchRun)) view.events->PatchTimerFired();
  }
  bool Logged(const std::string& part) {
    return fs.Contents("C:\\Game\\QevLogin.log").find(part) != std::string::npos;
  }
  void ExpectRefusedOnce() {
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], std::make_pair(2, std::string(kUpdateRefusedText)));
    EXPECT_TRUE(Logged("update refused: "));
  }

  test::MemFileSystem fs;
  test::FakeHttpServer server;
  test::FakeUpdateView view{fs, server};
  test::FakeHttpFactory factory{server};
  test::FakeThreadHost threads;
  TUpdater updater{threads, factory};
};

TEST_F(SignedRun, ASignedUpdateInstallsAndItsSerialIsKept) {
  server.Serve(std::string(kDef) + "/New/b.dat.zip", kArchive);
  Run(Signed(Info(3)));
  EXPECT_EQ(fs.Contents("C:\\Game\\New\\b.dat"), "bee");
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(fs.Contents(kSerial), "3\r\n");
  EXPECT_TRUE(Logged("signed update-info file accepted, serial 3"));
}

TEST_F(SignedRun, AChangedArchiveIsRefusedBeforeItIsUnpacked) {
  fs.AddFile("C:\\Game\\New\\b.dat", "old");
  server.Serve(std::string(kDef) + "/New/b.dat.zip", "b.dat=evil");
  Run(Signed(Info(3)));
  EXPECT_EQ(fs.Contents("C:\\Game\\New\\b.dat"), "old");
  EXPECT_FALSE(fs.FileExists("C:\\Game\\update\\b.dat.zip"));
  EXPECT_FALSE(fs.FileExists("C:\\Game\\update\\b.dat"));
  EXPECT_TRUE(view.stopped);
  EXPECT_FALSE(view.Timer(UpdateTimer::SelfUpdate));
  ExpectRefusedOnce();
}

TEST_F(SignedRun, AChangedOrReplayedUpdateFileChangesNothing) {
  fs.AddFile(kStoredInfo, "previous");
  fs.AddFile(kSerial, "5\r\n");
  server.Serve(std::string(kDef) + "/New/b.dat.zip", kArchive);
  std::string changed = Signed(Info(7));
  changed.replace(changed.find("\\New\\"), 5, "\\Bin\\");
  const std::string cases[] = {changed, Signed(Info(4)), Info(7), Signed(Info(7), 1)};
  for (const std::string& served : cases) {
    view.messages.clear();
    Run(served);
    EXPECT_FALSE(view.Timer(UpdateTimer::PatchRun)) << served;
    EXPECT_EQ(fs.Contents(kStoredInfo), "previous");
    EXPECT_EQ(fs.Contents(kSerial), "5\r\n");
    EXPECT_FALSE(fs.FileExists("C:\\Game\\New\\b.dat"));
    EXPECT_FALSE(fs.FileExists("C:\\Game\\Bin\\b.dat"));
    ExpectRefusedOnce();
  }
}

TEST_F(SignedRun, AZoneListThatSwapsTheKeyIsNotInstalled) {
  const std::string before = fs.Contents(kConfig);
  view.configCrc = 1;  // differs from IniCode
  const std::string swapped = PinnedConfig(test::kKeys[1].Public);
  OpenSslCrypto c;
  Sha256Digest d;
  ASSERT_TRUE(Sha256Of(c, swapped, d));
  server.Serve("http://127.0.0.1:8080/tolw3.inf", swapped);
  server.Serve(std::string(kDef) + "/New/b.dat.zip", kArchive);
  Run(Signed(Info(3, "CheckIni=1\r\nIniURL=http://127.0.0.1:8080/tolw3.inf\r\nIniCode=" +
                         test::CrcOfText(swapped) + "\r\nIniSha256=" + HexText(d) + "\r\n")));
  EXPECT_EQ(fs.Contents(kConfig), before);
  EXPECT_FALSE(fs.FileExists("C:\\Game\\update\\tolw3.inf")) << "the refused download is kept";
  EXPECT_EQ(view.reloads, 0);
  EXPECT_FALSE(view.Timer(UpdateTimer::PatchRun)) << "the update stops at the refusal";
  ExpectRefusedOnce();
}

const std::string kLauncherSettings =
    "CheckLong=1\r\nLongURL=http://127.0.0.1:8080/QevLogin.zip\r\nLongCode=" +
    test::CrcOfText("new") + "\r\nLongSha256=" + kLauncherSha + "\r\n";

TEST_F(SignedRun, AForgedLauncherIsNeitherUnpackedNorHandedOn) {
  view.launcherCrc = 1;
  server.Serve("http://127.0.0.1:8080/QevLogin.zip", "QevLogin.exe=forged");
  Run(Signed(test::UpdateInfoText("Serial=1\r\n" + kLauncherSettings)));
  ASSERT_TRUE(view.Timer(UpdateTimer::SelfUpdate));
  view.updating = true;  // as the self-update timer leaves the controls
  updater.RunSelfUpdate(view);
  EXPECT_TRUE(view.started.empty());
  EXPECT_FALSE(view.updating) << "the start button stays hidden after the refusal";
  EXPECT_FALSE(fs.FileExists("C:\\Game\\update\\QevLogin.exe"));
  EXPECT_FALSE(fs.FileExists("C:\\Game\\update\\QevLogin.exe.zip"));
  ExpectRefusedOnce();
}

TEST_F(SignedRun, TheSignedLauncherIsHandedOn) {
  view.launcherCrc = 1;
  server.Serve("http://127.0.0.1:8080/QevLogin.zip", kLauncher);
  Run(Signed(test::UpdateInfoText("Serial=1\r\n" + kLauncherSettings)));
  ASSERT_TRUE(view.Timer(UpdateTimer::SelfUpdate));
  updater.RunSelfUpdate(view);
  EXPECT_EQ(view.started.size(), 1u);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].first, 4);  // the completion message, no refusal
}

TEST_F(SignedRun, WithoutAKeyAnUnsignedFolderWorksAsBefore) {
  fs.AddFile(kConfig, test::ConfigText(kUpdateUrl, {"one"}));
  server.Serve(std::string(kDef) + "/New/b.dat.zip", kArchive);
  Run(test::UpdateInfoText("CheckFix=1\r\nDefURL=" + std::string(kDef) + "\r\n",
                           test::PatchSection("b.dat", "b.dat.zip", "\\New\\", kWhen)));
  EXPECT_EQ(fs.Contents("C:\\Game\\New\\b.dat"), "bee");
  EXPECT_TRUE(view.messages.empty());
  EXPECT_TRUE(Logged("updates are unsigned"));
  EXPECT_FALSE(fs.FileExists(kSerial));
}

}  // namespace
}  // namespace qev
