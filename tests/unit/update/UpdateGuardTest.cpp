// UpdateGuard over the in-memory file system and libcrypto: what a launcher with a pinned
// key accepts, what it refuses, and that a refusal changes no file. Expected digests and
// one signature come from CryptoVectors.h (the OpenSSL command line), not from the code.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "posix/OpenSslCrypto.h"
#include "tests/fakes/MemFileSystem.h"
#include "tests/unit/update/CryptoChecks.h"
#include "update/SignedUpdate.h"
#include "update/UpdateGuard.h"

namespace qev::test {
namespace {

const char kSerialFile[] = "C:\\Game\\tolw3.serial";
const char kScratch[] = "C:\\Game\\update\\tolw3.up.chk";
const char kAbcSha[] = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
const char kEmptySha[] = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";

struct Rig {
  explicit Rig(std::string pinned) {
    fs.AddDir("C:\\Game");
    guard = std::make_unique<UpdateGuard>(
        fs, &crypto, UpdateGuardSetup{std::move(pinned), kSerialFile, "C:\\Game\\"},
        [this](const std::string& line) { log.push_back(line); });
  }
  bool Accept(const std::string& text) { return guard->AcceptUpdateText(text, kScratch); }

  MemFileSystem fs;
  OpenSslCrypto crypto;
  std::vector<std::string> log;
  std::unique_ptr<UpdateGuard> guard;
};

EcKeyPair Key(size_t n) {
  EcKeyPair k;
  k.Private = FromHex<32>(kKeys[n].Private);
  k.Public = FromHex<64>(kKeys[n].Public);
  return k;
}

// An update-info text: serial, the digest of the zone list, one patch \Data\map.dat whose
// archive is "abc", and the launcher whose file is empty.
std::string Body(int serial, const std::string& extra = "") {
  return ";;;;;QEV TarnLogin Update File;;;;;\r\n[UpdateInfo]\r\nCheckFix=1\r\nSerial=" +
         std::to_string(serial) + "\r\nLongSha256=" + kEmptySha + "\r\nIniSha256=" + kAbcSha +
         "\r\n" + extra + "[map.dat]\r\nFromFile=map.dat.zip\r\nFilePath=\\Data\\\r\n" +
         "FileDateTime=2009-03-01 12:30:00\r\nSha256=" + kAbcSha + "\r\n";
}

std::string Signed(const std::string& body, size_t key = 0) {
  OpenSslCrypto c;
  std::string out;
  EXPECT_TRUE(AppendSignature(c, Key(key), body, out));
  return out;
}

std::string ZoneList(const std::string& key) {
  return "[LoginInfo]\r\nCaption1=game.exe\r\n" + (key.empty() ? "" : "UpdateKey=" + key + "\r\n");
}

TEST(UpdateGuard, WithoutAKeyEverythingPassesAndOneLineSaysUnsigned) {
  Rig r("");
  EXPECT_TRUE(r.Accept("[UpdateInfo]\r\nCheckFix=1\r\n"));
  r.fs.AddFile("C:\\Game\\update\\x.zip", "tampered");
  EXPECT_TRUE(r.guard->AcceptPatchArchive("C:\\Game\\Data\\map.dat", "C:\\Game\\update\\x.zip"));
  EXPECT_TRUE(r.guard->AcceptLauncher("C:\\Game\\update\\x.zip"));
  EXPECT_TRUE(r.guard->AcceptZoneList("C:\\Game\\update\\x.zip"));
  EXPECT_FALSE(r.guard->TakeRefusalNotice());
  ASSERT_EQ(r.log.size(), 1u);
  EXPECT_NE(r.log[0].find("unsigned"), std::string::npos);
  EXPECT_FALSE(r.fs.FileExists(kSerialFile));
}

TEST(UpdateGuard, SignedFileIsAcceptedAndItsSerialKept) {
  // A text signed by the OpenSSL command line, not by the code under test.
  const SigVector& v = kSignatures[2];
  ASSERT_EQ(v.Key, 0u);
  const std::string covered = VectorMessage(v);
  ASSERT_EQ(covered, "[UpdateInfo]\r\nSerial=7\r\n");
  Rig r(kKeys[0].Public);
  EXPECT_TRUE(r.Accept(covered + ";Signature=" + v.Signature + "\r\n"));
  EXPECT_EQ(r.guard->Manifest().Serial, 7u);
  EXPECT_EQ(r.fs.Contents(kSerialFile), "7\r\n");
  EXPECT_FALSE(r.fs.FileExists(kScratch));

  // The same serial again (a restart fetching the same file) is fine; the key may be
  // written in upper case.
  std::string upper = kKeys[0].Public;
  for (char& ch : upper) ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
  Rig again(upper);
  again.fs.AddFile(kSerialFile, "7\r\n");
  EXPECT_TRUE(again.Accept(Signed(Body(7))));
  EXPECT_FALSE(again.guard->Refused());
}

TEST(UpdateGuard, ForgedDamagedOrUnsignedFilesAreRefusedOnceWithNothingWritten) {
  const std::string good = Signed(Body(3));
  std::string tampered = good;
  tampered.replace(tampered.find("Serial=3"), 8, "Serial=9");
  std::string badHex = good;
  badHex[badHex.size() - 3] = 'g';
  const std::string cases[] = {
      Body(3),                                   // no signature line
      tampered,                                  // a changed byte under the signature
      Signed(Body(3), 1),                        // signed with another key
      badHex,                                    // signature line not hex
      good + "[evil]\r\nFromFile=x\r\n",         // text after the signature line
      Signed("[UpdateInfo]\r\nCheckFix=1\r\n"),  // signed, but no serial
  };
  for (const std::string& text : cases) {
    Rig r(kKeys[0].Public);
    r.fs.AddFile(kSerialFile, "2\r\n");
    EXPECT_FALSE(r.Accept(text)) << text;
    EXPECT_TRUE(r.guard->TakeRefusalNotice());
    EXPECT_FALSE(r.guard->TakeRefusalNotice()) << "the player is told once";
    EXPECT_EQ(r.fs.Contents(kSerialFile), "2\r\n");
    EXPECT_EQ(r.fs.ListFiles().size(), 1u) << "no scratch copy left";
    ASSERT_FALSE(r.log.empty());
    EXPECT_NE(r.log.back().find("refused"), std::string::npos);
    // Once refused, the update stays stopped: even a good file is not taken.
    EXPECT_FALSE(r.Accept(good));
    EXPECT_FALSE(r.guard->AcceptLauncher("C:\\Game\\tolw3.serial"));
  }
  Rig badKey("not-a-key");
  EXPECT_FALSE(badKey.Accept(good));
}

TEST(UpdateGuard, AnOlderSerialIsAReplay) {
  Rig r(kKeys[0].Public);
  r.fs.AddFile(kSerialFile, "10\r\n");
  EXPECT_FALSE(r.Accept(Signed(Body(9))));
  EXPECT_EQ(r.fs.Contents(kSerialFile), "10\r\n");
  Rig newer(kKeys[0].Public);
  newer.fs.AddFile(kSerialFile, "10\r\n");
  EXPECT_TRUE(newer.Accept(Signed(Body(11))));
  EXPECT_EQ(newer.fs.Contents(kSerialFile), "11\r\n");
  // A locked serial file cannot record the new serial: refused rather than replayable.
  Rig locked(kKeys[0].Public);
  locked.fs.AddFile(kSerialFile, "10\r\n");
  locked.fs.Lock(kSerialFile);
  EXPECT_FALSE(locked.Accept(Signed(Body(12))));
}

TEST(UpdateGuard, DownloadsMustMatchTheSignedDigests) {
  Rig r(kKeys[0].Public);
  ASSERT_TRUE(r.Accept(Signed(Body(1))));
  r.fs.AddFile("C:\\Game\\update\\map.dat.zip", "abc");
  r.fs.AddFile("C:\\Game\\update\\QevLogin.exe", "");
  // Names compare as Windows does.
  EXPECT_TRUE(
      r.guard->AcceptPatchArchive("C:\\Game\\data\\MAP.dat", "C:\\Game\\update\\map.dat.zip"));
  EXPECT_TRUE(r.guard->AcceptLauncher("C:\\Game\\update\\QevLogin.exe"));
  EXPECT_FALSE(r.guard->Refused());

  Rig other(kKeys[0].Public);
  ASSERT_TRUE(other.Accept(Signed(Body(1))));
  other.fs.AddFile("C:\\Game\\update\\map.dat.zip", "abd");
  EXPECT_FALSE(
      other.guard->AcceptPatchArchive("C:\\Game\\Data\\map.dat", "C:\\Game\\update\\map.dat.zip"));
  EXPECT_TRUE(other.guard->TakeRefusalNotice());

  Rig unlisted(kKeys[0].Public);
  ASSERT_TRUE(unlisted.Accept(Signed(Body(1))));
  unlisted.fs.AddFile("C:\\Game\\update\\x.zip", "abc");
  EXPECT_FALSE(unlisted.guard->AcceptPatchArchive("C:\\Game\\x.dat", "C:\\Game\\update\\x.zip"));

  Rig launcher(kKeys[0].Public);
  ASSERT_TRUE(launcher.Accept(Signed(Body(1))));
  launcher.fs.AddFile("C:\\Game\\update\\QevLogin.exe", "MZ evil");
  EXPECT_FALSE(launcher.guard->AcceptLauncher("C:\\Game\\update\\QevLogin.exe"));

  // Nothing is accepted before a signed update-info file was.
  Rig early(kKeys[0].Public);
  early.fs.AddFile("C:\\Game\\update\\map.dat.zip", "abc");
  EXPECT_FALSE(
      early.guard->AcceptPatchArchive("C:\\Game\\Data\\map.dat", "C:\\Game\\update\\map.dat.zip"));
}

TEST(UpdateGuard, AZoneListKeepsItsKeyOrTakesTheSignedNextKey) {
  const std::string same = ZoneList(kKeys[0].Public), next = ZoneList(kKeys[1].Public),
                    foreign = ZoneList(kKeys[2].Public), none = ZoneList("");
  // The zone list's digest is signed too; each case signs the list it offers.
  struct Case {
    std::string list;
    std::string nextKey;
    bool accepted;
  } cases[] = {
      {same, "", true},  {next, kKeys[1].Public, true},
      {next, "", false}, {foreign, kKeys[1].Public, false},
      {none, "", false},
  };
  for (const Case& c : cases) {
    Rig r(kKeys[0].Public);
    Sha256Digest d;
    ASSERT_TRUE(Sha256Of(r.crypto, c.list, d));
    std::string body =
        ";;;;;QEV TarnLogin Update File;;;;;\r\n[UpdateInfo]\r\nSerial=1\r\nIniSha256=" +
        HexText(d) + "\r\n" + (c.nextKey.empty() ? "" : "NextKey=" + c.nextKey + "\r\n");
    ASSERT_TRUE(r.Accept(Signed(body)));
    r.fs.AddFile("C:\\Game\\update\\tolw3.inf", c.list);
    EXPECT_EQ(r.guard->AcceptZoneList("C:\\Game\\update\\tolw3.inf"), c.accepted) << c.list;
  }
  // A list that differs from the signed digest is refused whatever key it carries.
  Rig r(kKeys[0].Public);
  ASSERT_TRUE(r.Accept(Signed(Body(1))));
  r.fs.AddFile("C:\\Game\\update\\tolw3.inf", same);
  EXPECT_FALSE(r.guard->AcceptZoneList("C:\\Game\\update\\tolw3.inf"));
}

}  // namespace
}  // namespace qev::test
