#include "config/LauncherConfig.h"

#include <exception>
#include <unordered_set>

#include "config/Cipher.h"
#include "config/FastIniFile.h"
#include "config/HexText.h"
#include "config/IniValueText.h"
#include "config/UpperCase.h"

namespace qev {

std::string DecodeServerValue(const std::string& stored) {
  std::string s = HexToStr(stored);
  StrDecipher(s, ServerKey, ServerRounds);
  return s;
}

std::string EncodeServerValue(const std::string& plain) {
  std::string s = plain;
  StrEncipher(s, ServerKey, ServerRounds);
  return StrToHex(s);
}

namespace {

constexpr char kLoginInfo[] = "LoginInfo";
constexpr size_t kInfoVerLength = 60;

bool IsServerSection(const std::string& name) {
  static const std::string kServer = UpperCaseTbl("SERVER");
  return name.size() >= kServer.size() && UpperCaseTbl(name.substr(0, kServer.size())) == kServer;
}

void ReadLoginInfo(TFastIniFile& ini, TLauncherConfig& c) {
  auto read = [&](const char* key, const char* def = "") {
    return ini.ReadString(kLoginInfo, key, def);
  };
  c.Caption1 = read("Caption1");
  c.Command1 = read("Command1");
  c.Caption2 = read("Caption2");
  c.Command2 = read("Command2");
  c.Caption3 = read("Caption3");
  c.Command3 = read("Command3");
  c.NoticeURL = read("NoticeURL", "about:blank");
  c.UpdateURL = read("UpdateURL");
  c.Website = read("Website");
  c.ExitURL = read("ExitURL");
  c.Chongzhi = read("Chongzhi");
  c.BBS = read("BBS");
  c.InfoVer = read("InfoVer").substr(0, kInfoVerLength);
  c.UpdateKey = read("UpdateKey");
}

// Empty when the section gives a server (appended to servers, its folded caption to
// captions), else why not.
std::string ReadServer(TFastIniFile& ini, const std::string& name, TServerList& servers,
                       std::unordered_set<std::string>& captions) {
  auto read = [&](const char* key) { return ini.ReadString(name, key, ""); };
  const std::string address = read("ServerAddress"), serverName = read("ServerName"),
                    port = read("ServerPort"), notice = read("ServerNotice"),
                    caption = read("ServerCaption");
  if (serverName.empty()) return "missing ServerName";
  if (caption.empty()) return "missing ServerCaption";
  if (port.empty()) return "missing ServerPort";
  if (address.empty()) return "missing ServerAddress";
  std::string folded = UpperCaseTbl(caption);
  if (captions.count(folded)) return "duplicate caption";
  auto info = std::make_unique<TServerInfo>();
  info->ServerAddress = DecodeServerValue(address);
  if (!ParseDecimalInt32(DecodeServerValue(port), info->ServerPort))
    return "port is not an integer";
  info->ServerName = serverName;
  info->ServerNotice = notice;
  info->ServerCaption = caption;
  servers.push_back(std::move(info));
  captions.insert(std::move(folded));
  return {};
}

}  // namespace

void LoadLauncherConfig(FileSystem& fs, const std::string& fileName, TLauncherConfig& config,
                        TServerList& servers, std::vector<DroppedSection>* dropped) {
  TFastIniFile ini(fs, fileName);
  ReadLoginInfo(ini, config);
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  std::unordered_set<std::string> captions;  // folded, of every zone in servers
  for (const auto& s : servers) captions.insert(UpperCaseTbl(s->ServerCaption));
  for (const std::string& name : sections) {
    if (!IsServerSection(name)) continue;
    std::string reason;
    try {
      reason = ReadServer(ini, name, servers, captions);
    } catch (const std::exception& e) {
      // A zone that cannot be read is dropped like any other bad zone and the others
      // still load; the reason goes to the operator's list.
      reason = std::string("error: ") + e.what();
    }
    if (!reason.empty() && dropped) dropped->push_back({name, reason});
  }
  ini.Release();
}

}  // namespace qev
