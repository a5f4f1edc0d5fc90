#include "tests/unit/launcher/FormTestSupport.h"

#include "config/LauncherConfig.h"

namespace qev::test {

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

std::unique_ptr<TForm1> StartClient(FakeFormKit& kit, const std::vector<ZoneEntry>& servers,
                                    const std::string& loginInfo) {
  InstallClient(kit, servers, loginInfo);
  auto form = kit.Make();
  form->FormCreate();
  return form;
}

}  // namespace qev::test
