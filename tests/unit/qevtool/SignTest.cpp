// The signed-update workflow of qevtool: keygen, the pinned key in the configuration
// file, update build --sign. The signature is checked by the OpenSSL command line and the
// digests by sha256sum, both apart from the tool's own code.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "ToolRunner.h"

namespace qev::test {
namespace {

std::string Trim(std::string s) {
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
  return s;
}

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[512];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
  }
  return out;
}

std::string Sha256Sum(const std::string& path) {
  return Shell("sha256sum '" + path + "'").substr(0, 64);
}

std::string Bytes(const std::string& hex) {
  std::string b;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    b += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return b;
}

std::string DerInteger(std::string b) {
  while (b.size() > 1 && b[0] == '\0') b.erase(0, 1);
  if (static_cast<unsigned char>(b[0]) & 0x80) b.insert(0, 1, '\0');
  return "\x02" + std::string(1, static_cast<char>(b.size())) + b;
}

// Checks the file's last line against pub with the OpenSSL command line.
bool OpenSslVerifies(const TempFolder& dir, const std::string& file, const std::string& pubHex) {
  std::string text = ReadFileBytes(file);
  size_t at = text.rfind("\n;Signature=");
  if (at == std::string::npos) return false;
  std::string sig = Bytes(Trim(text.substr(at + 12)));
  if (sig.size() != 64) return false;
  std::string seq = DerInteger(sig.substr(0, 32)) + DerInteger(sig.substr(32));
  WriteFileBytes(dir / "sig.der", "\x30" + std::string(1, static_cast<char>(seq.size())) + seq);
  // SubjectPublicKeyInfo of a P-256 key: fixed algorithm header, then the point.
  WriteFileBytes(dir / "pub.der", Bytes("3059301306072a8648ce3d020106082a8648ce3d030107034200") +
                                      "\x04" + Bytes(pubHex));
  WriteFileBytes(dir / "covered", text.substr(0, at + 1));
  return Shell("openssl dgst -sha256 -verify '" + dir / "pub.der" + "' -keyform DER -signature '" +
               dir / "sig.der" + "' '" + dir / "covered" + "' 2>&1") == "Verified OK\n";
}

std::string ValueOf(const std::string& text, const std::string& key) {
  size_t at = text.find("\n" + key + "=");
  if (at == std::string::npos) return "";
  at += key.size() + 2;
  return text.substr(at, text.find('\r', at) - at);
}

struct Site {
  TempFolder dir;
  std::string pub;
  std::vector<std::string> BuildArgs(const std::string& key) {
    return {"update",     "build",
            "--game",     dir / "game",
            "--out",      dir / "site",
            "--base-url", "http://127.0.0.1/p",
            "--config",   dir / "tolw3.inf",
            "--ini-url",  "http://127.0.0.1/p/tolw3.inf",
            "--launcher", dir / "QevLogin.exe",
            "--long-url", "http://127.0.0.1/p/QevLogin.exe",
            "--sign",     key,
            "--force"};
  }
  Site() {
    WriteFileBytes(dir / "game/Wav.pak", std::string(3000, 'w'));
    WriteFileBytes(dir / "game/Data/map.dat", "map");
    WriteFileBytes(dir / "QevLogin.exe", "MZ launcher");
    ToolResult k = RunTool({"update", "keygen", dir / "op.key"});
    EXPECT_EQ(k.Exit, 0) << k.Err;
    pub = Trim(k.Out);
    ToolResult c = RunTool({"config", "new", dir / "tolw3.inf", "--client", "Client.exe",
                            "--update", "http://127.0.0.1/p/tolw3.up", "--update-key", pub});
    EXPECT_EQ(c.Exit, 0) << c.Err;
  }
};

TEST(QevtoolSign, SignedUpdateFolderVerifiesWithOutsideTools) {
  Site s;
  ASSERT_EQ(s.pub.size(), 128u);
  struct stat st {};
  ASSERT_EQ(::stat((s.dir / "op.key").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 077, 0u) << "the private key is the operator's alone";
  EXPECT_NE(ReadFileBytes(s.dir / "tolw3.inf").find("\r\nUpdateKey=" + s.pub + "\r\n"),
            std::string::npos);
  ToolResult p = RunTool({"update", "pubkey", s.dir / "op.key"});
  EXPECT_EQ(Trim(p.Out), s.pub);

  ToolResult b = RunTool(s.BuildArgs(s.dir / "op.key"));
  ASSERT_EQ(b.Exit, 0) << b.Err;
  const std::string up = ReadFileBytes(s.dir / "site/tolw3.up");
  EXPECT_TRUE(OpenSslVerifies(s.dir, s.dir / "site/tolw3.up", s.pub));
  EXPECT_EQ(ValueOf(up, "Serial"), "1");
  EXPECT_EQ(ValueOf(up, "IniSha256"), Sha256Sum(s.dir / "tolw3.inf"));
  EXPECT_EQ(ValueOf(up, "LongSha256"), Sha256Sum(s.dir / "QevLogin.exe"));
  EXPECT_EQ(ValueOf(up, "NextKey"), "");
  // Each patch section carries its own archive's digest.
  size_t wav = up.find("[Wav.pak]"), map = up.find("[map.dat]");
  ASSERT_NE(wav, std::string::npos);
  ASSERT_NE(map, std::string::npos);
  EXPECT_EQ(ValueOf(up.substr(wav), "Sha256"), Sha256Sum(s.dir / "site/Wav.pak.zip"));
  EXPECT_EQ(ValueOf(up.substr(map), "Sha256"), Sha256Sum(s.dir / "site/Data/map.dat.zip"));

  ToolResult v = RunTool({"update", "verify", s.dir / "site/tolw3.up", "--key", s.pub});
  EXPECT_EQ(v.Exit, 0) << v.Err;
  EXPECT_NE(v.Out.find("Serial=1\n"), std::string::npos);

  // A launcher that pins no key reads the signed file exactly as the unsigned one.
  ToolResult signedCheck = RunTool({"update", "check", s.dir / "site/tolw3.up"});
  std::vector<std::string> plain = s.BuildArgs("");
  plain.erase(plain.end() - 3, plain.end() - 1);  // drop --sign KEY
  ASSERT_EQ(RunTool(plain).Exit, 0);
  ToolResult plainCheck = RunTool({"update", "check", s.dir / "site/tolw3.up"});
  EXPECT_EQ(signedCheck.Out, plainCheck.Out);
  EXPECT_EQ(ReadFileBytes(s.dir / "site/tolw3.up").find("Sha256"), std::string::npos);

  // A rebuild follows the old file's serial; --serial sets it.
  ASSERT_EQ(RunTool(s.BuildArgs(s.dir / "op.key")).Exit, 0);
  ASSERT_EQ(RunTool(s.BuildArgs(s.dir / "op.key")).Exit, 0);
  EXPECT_EQ(ValueOf(ReadFileBytes(s.dir / "site/tolw3.up"), "Serial"), "2");
  std::vector<std::string> fixed = s.BuildArgs(s.dir / "op.key");
  fixed.insert(fixed.end(), {"--serial", "40"});
  ASSERT_EQ(RunTool(fixed).Exit, 0);
  EXPECT_EQ(ValueOf(ReadFileBytes(s.dir / "site/tolw3.up"), "Serial"), "40");

  // Another key does not verify it.
  ToolResult other = RunTool({"update", "keygen", s.dir / "other.key"});
  ToolResult bad = RunTool({"update", "verify", s.dir / "site/tolw3.up", "--key", Trim(other.Out)});
  EXPECT_EQ(bad.Exit, 1);
}

TEST(QevtoolSign, KeyRotationSignsTheNewKeyAsNextKey) {
  Site s;
  ToolResult n = RunTool({"update", "keygen", s.dir / "new.key"});
  ASSERT_EQ(n.Exit, 0);
  const std::string newPub = Trim(n.Out);
  const std::string before = ReadFileBytes(s.dir / "tolw3.inf");
  ToolResult set = RunTool({"config", "set-key", s.dir / "tolw3.inf", newPub});
  ASSERT_EQ(set.Exit, 0) << set.Err;
  std::string after = ReadFileBytes(s.dir / "tolw3.inf");
  EXPECT_NE(after.find("UpdateKey=" + newPub + "\r\n"), std::string::npos);
  EXPECT_EQ(after.size(), before.size()) << "only the key's value changed";

  ToolResult b = RunTool(s.BuildArgs(s.dir / "op.key"));
  ASSERT_EQ(b.Exit, 0) << b.Err;
  const std::string up = ReadFileBytes(s.dir / "site/tolw3.up");
  EXPECT_EQ(ValueOf(up, "NextKey"), newPub);
  EXPECT_TRUE(OpenSslVerifies(s.dir, s.dir / "site/tolw3.up", s.pub)) << "signed by the old key";
}

TEST(QevtoolSign, RefusalsComeBeforeAnyFileIsWritten) {
  Site s;
  // A configuration file without a key would make every pinned launcher stop updating.
  WriteFileBytes(s.dir / "tolw3.inf", "[LoginInfo]\r\nCaption1=Client.exe\r\n");
  ToolResult noKey = RunTool(s.BuildArgs(s.dir / "op.key"));
  EXPECT_EQ(noKey.Exit, 1);
  EXPECT_NE(noKey.Err.find("UpdateKey"), std::string::npos) << noKey.Err;
  EXPECT_FALSE(PathExists(s.dir / "site"));

  WriteFileBytes(s.dir / "damaged.key", "[UpdateSigningKey]\r\nPrivate=00\r\n");
  EXPECT_EQ(RunTool(s.BuildArgs(s.dir / "damaged.key")).Exit, 1);
  EXPECT_FALSE(PathExists(s.dir / "site"));

  std::vector<std::string> zip = s.BuildArgs(s.dir / "op.key");
  zip[15] = "http://127.0.0.1/p/QevLogin.zip";
  ASSERT_EQ(zip[14], "--long-url");
  EXPECT_EQ(RunTool(zip).Exit, 2) << "the ZIP served must be named with --long-file";

  EXPECT_EQ(RunTool({"update", "build", "--game", s.dir / "game", "--out", s.dir / "site",
                     "--base-url", "http://127.0.0.1/p", "--serial", "3"})
                .Exit,
            2);
  EXPECT_EQ(RunTool({"config", "set-key", s.dir / "tolw3.inf", "abcd"}).Exit, 2);
  EXPECT_EQ(RunTool({"config", "new", s.dir / "x.inf", "--update-key", s.pub + "0"}).Exit, 2);
  EXPECT_EQ(RunTool({"update", "keygen", s.dir / "op.key"}).Exit, 1) << "keys are not replaced";
}

}  // namespace
}  // namespace qev::test
