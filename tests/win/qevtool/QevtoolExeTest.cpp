// qevtool.exe as an operator runs it on Windows: wide arguments, GBK files read back
// through the launcher's own code, UTF-8 text on standard output.

#include <gtest/gtest.h>

#include "ExeRunner.h"
#include "config/LauncherConfig.h"
#include "config/SixBit.h"
#include "win32/Win32FileSystem.h"

namespace qev::test {
namespace {

// The same zone caption in the two forms the tool converts between.
const std::string kCaptionUtf8 = "\xe7\x94\xb5\xe4\xbf\xa1\xe4\xb8\x80\xe5\x8c\xba";  // 电信一区
const std::string kCaptionGbk = "\xb5\xe7\xd0\xc5\xd2\xbb\xc7\xf8";                  // 电信一区
const std::string kNoticeUtf8 = "\xe4\xbb\x8a\xe6\x99\x9a\xe7\xbb\xb4\xe6\x8a\xa4";  // 今晚维护
const std::string kNoticeGbk = "\xbd\xf1\xcd\xed\xce\xac\xbb\xa4";                   // 今晚维护

// Standard output is in text mode, so each line ends in CR LF as Windows text does.
std::string Lines(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

std::string WithoutLineEnd(const std::string& s) {
  return s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0 ? s.substr(0, s.size() - 2) : s;
}

TEST(QevtoolExe, CrcPrintsSignedDecimalAndPathInUtf8) {
  ExeTempFolder dir;
  WriteBytes(dir / "digits", "123456789");
  ExeResult r = RunQevtool({"crc", dir / "digits"});
  EXPECT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.Out, Lines("-873187034\t" + (dir / "digits") + "\n"));
  EXPECT_EQ(r.Err, "");
}

TEST(QevtoolExe, ZoneAndArgsTextsRoundTrip) {
  for (const std::string& text : {std::string("127.0.0.1"), kCaptionUtf8}) {
    ExeResult enc = RunQevtool({"zone", "encode", text});
    ASSERT_EQ(enc.Exit, 0) << enc.Err;
    std::string hex = WithoutLineEnd(enc.Out);
    EXPECT_EQ(DecodeServerValue(hex), text == kCaptionUtf8 ? kCaptionGbk : text);
    ExeResult dec = RunQevtool({"zone", "decode", hex});
    EXPECT_EQ(dec.Exit, 0) << dec.Err;
    EXPECT_EQ(dec.Out, Lines(text + "\n"));
  }
  // The packed text holds GBK; after "--" every argument is text, whatever it starts with.
  const std::string args = "-server " + kCaptionUtf8 + " \"quoted\" C:\\game\\";
  ExeResult packed = RunQevtool({"args", "encode", "--", args});
  ASSERT_EQ(packed.Exit, 0) << packed.Err;
  EXPECT_EQ(DecodeSixBit(WithoutLineEnd(packed.Out)),
            "-server " + kCaptionGbk + " \"quoted\" C:\\game\\");
  ExeResult plain = RunQevtool({"args", "decode", WithoutLineEnd(packed.Out)});
  EXPECT_EQ(plain.Exit, 0) << plain.Err;
  EXPECT_EQ(plain.Out, Lines(args + "\n"));
}

TEST(QevtoolExe, ConfigWithChineseZoneIsWrittenInGbkAndListedInUtf8) {
  ExeTempFolder dir;
  ExeResult made = RunQevtool({"config", "new", dir / "tolw3.inf", "--client", "Client.exe"});
  ASSERT_EQ(made.Exit, 0) << made.Err;
  ExeResult added =
      RunQevtool({"config", "add-zone", dir / "tolw3.inf", "--caption", kCaptionUtf8, "--name",
                  "zone1", "--address", "127.0.0.1", "--port", "7000", "--notice", kNoticeUtf8});
  ASSERT_EQ(added.Exit, 0) << added.Err;
  EXPECT_EQ(added.Out, Lines("Server1\n"));

  ExeResult list = RunQevtool({"config", "list", dir / "tolw3.inf"});
  EXPECT_EQ(list.Exit, 0) << list.Err;
  EXPECT_NE(list.Out.find(Lines("Caption1=Client.exe\n")), std::string::npos) << list.Out;
  EXPECT_NE(list.Out.find(Lines("[zones]\n" + kCaptionUtf8 + "\t127.0.0.1\t7000\tzone1\t" +
                                kNoticeUtf8 + "\n[dropped]\n")),
            std::string::npos)
      << list.Out;

  // The launcher's reader, over the Windows file system, sees the GBK texts.
  Win32FileSystem fs;
  TLauncherConfig config;
  TServerList servers;
  LoadLauncherConfig(fs, dir.Gbk("tolw3.inf"), config, servers);
  ASSERT_EQ(servers.size(), 1u);
  EXPECT_EQ(servers[0]->ServerCaption, kCaptionGbk);
  EXPECT_EQ(servers[0]->ServerNotice, kNoticeGbk);
  EXPECT_EQ(servers[0]->ServerPort, 7000);
  EXPECT_EQ(config.Caption1, "Client.exe");

  // An existing file is not replaced without --force, and stays as it was.
  std::string before = ReadBytes(dir / "tolw3.inf");
  ExeResult again = RunQevtool({"config", "new", dir / "tolw3.inf"});
  EXPECT_EQ(again.Exit, 1);
  EXPECT_EQ(ReadBytes(dir / "tolw3.inf"), before);
}

TEST(QevtoolExe, IniSetThenGetKeepsGbkInTheFile) {
  ExeTempFolder dir;
  WriteBytes(dir / "Config.ini", "; kept\r\n[Options]\r\nWidth=800\r\n");
  ExeResult set = RunQevtool({"ini", "set", dir / "Config.ini", "Options", "Zone", kCaptionUtf8});
  ASSERT_EQ(set.Exit, 0) << set.Err;
  std::string bytes = ReadBytes(dir / "Config.ini");
  EXPECT_EQ(bytes.rfind("; kept\r\n[Options]\r\nWidth=800\r\n", 0), 0u) << bytes;
  EXPECT_NE(bytes.find("Zone=" + kCaptionGbk), std::string::npos) << bytes;

  ExeResult get = RunQevtool({"ini", "get", dir / "Config.ini", "Options", "Zone"});
  EXPECT_EQ(get.Exit, 0) << get.Err;
  EXPECT_EQ(get.Out, Lines(kCaptionUtf8 + "\n"));
  ExeResult fallback = RunQevtool({"ini", "get", dir / "Config.ini", "Options", "None", "dflt"});
  EXPECT_EQ(fallback.Out, Lines("dflt\n"));
}

TEST(QevtoolExe, UsageMistakesExitTwoAndFailuresExitOne) {
  const std::vector<std::vector<std::string>> mistakes = {
      {}, {"no-such-command"}, {"crc"}, {"ini", "get", "x.ini"}, {"config", "new", "--nope", "x"}};
  for (const auto& args : mistakes) {
    ExeResult r = RunQevtool(args);
    EXPECT_EQ(r.Exit, 2) << (args.empty() ? "(none)" : args[0]) << " " << r.Err;
    EXPECT_EQ(r.Err.rfind("qevtool: ", 0), 0u) << r.Err;
    EXPECT_EQ(r.Out, "");
  }

  ExeTempFolder dir;
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"crc", dir / "missing"},
           {"config", "list", dir / "missing.inf"},
           {"config", "add-zone", dir / "missing.inf", "--caption", "a", "--name", "b", "--address",
            "127.0.0.1", "--port", "1"}}) {
    ExeResult r = RunQevtool(args);
    EXPECT_EQ(r.Exit, 1) << args[0] << " " << r.Err;
    EXPECT_EQ(r.Err.rfind("qevtool: ", 0), 0u) << r.Err;
  }
}

}  // namespace
}  // namespace qev::test
