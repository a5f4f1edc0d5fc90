#include "config/LauncherConfig.h"

#include <exception>

#include "config/FastIniFile.h"
#include "config/Func.h"

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

bool ReadPort(const std::string& text, int32_t& port) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return false;
  port = static_cast<int32_t>(v);
  return true;
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
}

// Empty when the section gives a server (appended to servers), else why not.
std::string ReadServer(TFastIniFile& ini, const std::string& name, TServerList& servers) {
  auto read = [&](const char* key) { return ini.ReadString(name, key, ""); };
  const std::string address = read("ServerAddress"), serverName = read("ServerName"),
                    port = read("ServerPort"), notice = read("ServerNotice"),
                    caption = read("ServerCaption");
  if (serverName.empty()) return "missing ServerName";
  if (caption.empty()) return "missing ServerCaption";
  if (port.empty()) return "missing ServerPort";
  if (address.empty()) return "missing ServerAddress";
  const std::string folded = UpperCaseTbl(caption);
  for (const auto& s : servers)
    if (UpperCaseTbl(s->ServerCaption) == folded) return "duplicate caption";
  auto info = std::make_unique<TServerInfo>();
  info->ServerAddress = DecodeServerValue(address);
  if (!ReadPort(DecodeServerValue(port), info->ServerPort)) return "port is not an integer";
  info->ServerName = serverName;
  info->ServerNotice = notice;
  info->ServerCaption = caption;
  servers.push_back(std::move(info));
  return {};
}

}  // namespace

void LoadLauncherConfig(FileSystem& fs, const std::string& fileName, TLauncherConfig& config,
                        TServerList& servers, std::vector<DroppedSection>* dropped) {
  TFastIniFile ini(fs, fileName);
  ReadLoginInfo(ini, config);
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  for (const std::string& name : sections) {
    if (!IsServerSection(name)) continue;
    std::string reason;
    try {
      reason = ReadServer(ini, name, servers);
    } catch (const std::exception& e) {
      reason = std::string("error: ") + e.what();
    }
    if (!reason.empty() && dropped) dropped->push_back({name, reason});
  }
  ini.Release();
}

}  // namespace qev
