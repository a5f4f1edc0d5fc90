// The signed workflow on Windows: qevtool.exe makes the key and signs with CNG, and the
// launcher's checks (CNG, the Windows file system) accept what it signed and refuse a
// changed file, a replayed one and a damaged download.

#include <gtest/gtest.h>

#include "ExeRunner.h"
#include "tests/unit/update/CryptoVectors.h"
#include "update/UpdateGuard.h"
#include "win32/CngCrypto.h"
#include "win32/Win32FileSystem.h"

namespace qev::test {
namespace {

std::string Trim(std::string s) {
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
  return s;
}

struct Folder {
  ExeTempFolder dir;
  Win32FileSystem fs;
  win32::CngCrypto crypto;
  std::vector<std::string> log;

  std::unique_ptr<UpdateGuard> Guard(const std::string& pub) {
    return std::make_unique<UpdateGuard>(
        fs, &crypto, UpdateGuardSetup{pub, dir.Gbk("tolw3.serial"), dir.Gbk("")},
        [this](const std::string& line) { log.push_back(line); });
  }
  ExeResult Build(const std::string& key, const std::string& serial) {
    return RunQevtool({"update", "build", "--game", dir / "game", "--out", dir / "site",
                       "--base-url", "http://127.0.0.1/p", "--sign", key, "--serial", serial,
                       "--force"});
  }
};

TEST(SignedUpdateExe, KeygenBuildAndTheLaunchersChecksAgree) {
  Folder f;
  ASSERT_EQ(f.fs.CreateDir(f.dir.Gbk("game")), kErrNone);
  WriteBytes(f.dir / "game/map.dat", "map");
  ExeResult k = RunQevtool({"update", "keygen", f.dir / "op.key"});
  ASSERT_EQ(k.Exit, 0) << k.Err;
  const std::string pub = Trim(k.Out);
  ASSERT_EQ(pub.size(), 128u);
  ASSERT_EQ(f.Build(f.dir / "op.key", "5").Exit, 0);
  const std::string signed5 = ReadBytes(f.dir / "site/tolw3.up");
  ExeResult v = RunQevtool({"update", "verify", f.dir / "site/tolw3.up", "--key", pub});
  EXPECT_EQ(v.Exit, 0) << v.Err;

  auto guard = f.Guard(pub);
  ASSERT_TRUE(guard->AcceptUpdateText(signed5, f.dir.Gbk("update\\check")));
  EXPECT_EQ(ReadBytes(f.dir / "tolw3.serial"), "5\r\n");
  EXPECT_TRUE(guard->AcceptPatchArchive(f.dir.Gbk("map.dat"), f.dir.Gbk("site\\map.dat.zip")));

  // The archive changed after signing.
  WriteBytes(f.dir / "evil.zip", ReadBytes(f.dir / "site/map.dat.zip") + "x");
  EXPECT_FALSE(guard->AcceptPatchArchive(f.dir.Gbk("map.dat"), f.dir.Gbk("evil.zip")));
  EXPECT_TRUE(guard->TakeRefusalNotice());

  // A newer file is taken; then the older one is a replay.
  ASSERT_EQ(f.Build(f.dir / "op.key", "6").Exit, 0);
  EXPECT_TRUE(f.Guard(pub)->AcceptUpdateText(ReadBytes(f.dir / "site/tolw3.up"),
                                             f.dir.Gbk("update\\check")));
  EXPECT_FALSE(f.Guard(pub)->AcceptUpdateText(signed5, f.dir.Gbk("update\\check")));
  EXPECT_EQ(ReadBytes(f.dir / "tolw3.serial"), "6\r\n");

  // One changed byte under the signature.
  std::string changed = signed5;
  changed.replace(changed.find("Serial=5"), 8, "Serial=7");
  EXPECT_FALSE(f.Guard(pub)->AcceptUpdateText(changed, f.dir.Gbk("update\\check")));
  EXPECT_EQ(ReadBytes(f.dir / "tolw3.serial"), "6\r\n");
}

TEST(SignedUpdateExe, AKeyMadeByOpenSslSignsOnWindows) {
  Folder f;
  ASSERT_EQ(f.fs.CreateDir(f.dir.Gbk("game")), kErrNone);
  WriteBytes(f.dir / "game/map.dat", "map");
  WriteBytes(f.dir / "ossl.key", std::string("[UpdateSigningKey]\r\nPrivate=") + kKeys[0].Private +
                                     "\r\nPublic=" + kKeys[0].Public + "\r\n");
  ExeResult b = f.Build(f.dir / "ossl.key", "1");
  ASSERT_EQ(b.Exit, 0) << b.Err;
  EXPECT_TRUE(f.Guard(kKeys[0].Public)
                  ->AcceptUpdateText(ReadBytes(f.dir / "site/tolw3.up"), f.dir.Gbk("update\\c")));
  EXPECT_FALSE(f.Guard(kKeys[1].Public)
                   ->AcceptUpdateText(ReadBytes(f.dir / "site/tolw3.up"), f.dir.Gbk("update\\c")));
}

}  // namespace
}  // namespace qev::test
