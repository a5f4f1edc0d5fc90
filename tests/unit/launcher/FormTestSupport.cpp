#include "tests/unit/launcher/FormTestSupport.h"

#include <iconv.h>

#include <stdexcept>

#include "config/LauncherConfig.h"

namespace qev::test {

std::string Gbk(const std::string& utf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no GBK converter");
  std::string in = utf8;
  std::string out(in.size() * 2 + 4, '\0');
  char* src = in.data();
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) throw std::runtime_error("not convertible: " + utf8);
  out.resize(out.size() - dstLeft);
  return out;
}

std::string ConfigText(const std::vector<ZoneEntry>& servers, const std::string& loginInfo) {
  std::string text = "[LoginInfo]\r\n" + loginInfo;
  int n = 1;
  for (const auto& s : servers) {
    text += "[Server" + std::to_string(n++) + "]\r\n";
    text += "ServerAddress=" + EncodeServerValue(s.address) + "\r\n";
    text += "ServerName=zone\r\n";
    text += "ServerPort=" + EncodeServerValue(std::to_string(s.port)) + "\r\n";
    text += "ServerNotice=" + s.notice + "\r\n";
    text += "ServerCaption=" + s.caption + "\r\n";
  }
  return text;
}

void InstallClient(FakeFormKit& kit, const std::vector<ZoneEntry>& servers,
                   const std::string& loginInfo) {
  kit.fs.AddFile(kit.values.ConfigFileName, ConfigText(servers, loginInfo));
  kit.fs.AddFile("C:\\Game\\QevLogin.exe", "123456789");
  kit.fs.AddFile("C:\\Game\\client.exe", "MZ");
}

}  // namespace qev::test
